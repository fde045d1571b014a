#include "transfer/pasted_cut.h"

#include "logging/logging.h"
#include "settings/auxiliary.h"
#include "transfer/dropped_items.h"
#include "transfer/medium_bytes.h"
#include "transfer/pending_cut.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

HRESULT TellPasteSucceeded(IDataObject& data)
{
    FORMATETC format{static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Paste Succeeded")), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    HRESULT result = PutDropEffectInMedium(DROPEFFECT_MOVE, medium);
    if (FAILED(result))
        return result;
    result = data.SetData(&format, &medium, TRUE);
    // Refused, the medium is still ours.
    if (FAILED(result))
        ::ReleaseStgMedium(&medium);
    return result;
}

} // namespace

void FinishPastedCut(IDataObject& data)
{
    AuxiliaryFunctions::SetClipboardCutFlag(false);
    const HRESULT told = TellPasteSucceeded(data);
    if (SUCCEEDED(told))
        return;
    LogFormatted("ShellFolderMgr::Paste() | the source was not told of the paste (HRESULT=0x%08X): the cut leaves "
                 "the clipboard here\n",
                 static_cast<unsigned>(told));
    pending_cut::TakeOffClipboard();
    ComPtr<IDataObject> held;
    if (SUCCEEDED(::OleGetClipboard(&held)) && held && OffersNamespaceFormat(*held.Get()))
        ::OleSetClipboard(nullptr);
}
