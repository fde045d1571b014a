#pragma once

#include "com/com_object.h"
#include "transfer/medium_bytes.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstdint>
#include <utility>
#include <vector>

// A data object of another program: it offers the given formats, each with the given bytes as
// a stream, and nothing else. It refuses what it is told (SetData), or, when the test says so,
// takes drop effects and records them.
class OfferedData final : public ComObject<OfferedData, IDataObject> {
public:
    explicit OfferedData(std::vector<std::pair<CLIPFORMAT, std::vector<std::uint8_t>>> offers)
        : offers_(std::move(offers))
    {
    }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        *medium = STGMEDIUM{};
        for (const auto& [offered, bytes] : offers_) {
            if (offered != format->cfFormat)
                continue;
            IStream* stream = nullptr;
            if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
                return E_OUTOFMEMORY;
            ULONG written = 0;
            stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
            medium->tymed = TYMED_ISTREAM;
            medium->pstm = stream;
            return S_OK;
        }
        return DV_E_FORMATETC;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override
    {
        for (const auto& offer : offers_) {
            if (offer.first == format->cfFormat)
                return S_OK;
        }
        return DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override
    {
        if (!acceptSetData)
            return E_NOTIMPL;
        set.emplace_back(format->cfFormat, DropEffectInMedium(*medium).value_or(0xFFFFFFFF));
        if (release)
            ::ReleaseStgMedium(medium);
        return S_OK;
    }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** formats) override
    {
        std::vector<FORMATETC> listed;
        for (const auto& offer : offers_)
            listed.push_back(FORMATETC{offer.first, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM});
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(listed.size()), listed.data(), formats);
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    bool acceptSetData = false;
    // What it was told: the format and the drop effect.
    std::vector<std::pair<CLIPFORMAT, DWORD>> set;

private:
    std::vector<std::pair<CLIPFORMAT, std::vector<std::uint8_t>>> offers_;
};
