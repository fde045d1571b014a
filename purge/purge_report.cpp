#include "purge_report.h"

#include "purge_text.h"
#include "res/clearbay_string_ids.h"

namespace {

class Report {
public:
    void Line(const std::string& name, const std::string& comment = std::string()) { lines_.push_back({name, comment}); }
    void Text(UINT id) { Line(PurgeText(id)); }
    void Blank() { Line(std::string()); }
    void Keys(const std::vector<FoundKey>& keys)
    {
        for (const FoundKey& key : keys)
            Line(key.path, key.defaultValue);
    }

    std::vector<ReportLine> Take() { return std::move(lines_); }

private:
    std::vector<ReportLine> lines_;
};

std::string CommentFor(const FoundPath& path)
{
    if (path.isProtected)
        return PurgeText(IDS_KIND_PROTECTED);
    return PurgeText(path.kind == PathKind::Folder ? IDS_KIND_FOLDER : IDS_KIND_FILE);
}

} // namespace

std::vector<ReportLine> BuildReport(const FoundData& found)
{
    const RegistryFindings& registry = found.registry;
    Report report;
    report.Text(IDS_REPORT_REGISTRY_TITLE);
    report.Blank();
    if (!registry.classesRootKeys.empty()) {
        report.Text(IDS_REPORT_CLASSES_ROOT);
        report.Keys(registry.classesRootKeys);
        report.Blank();
    }
    if (!registry.currentUserKeys.empty()) {
        report.Text(IDS_REPORT_CURRENT_USER);
        report.Keys(registry.currentUserKeys);
        report.Blank();
    }
    if (registry.HasDataUnder(RegistryRoot::LocalMachine)) {
        report.Text(IDS_REPORT_LOCAL_MACHINE);
        report.Keys(registry.localMachineKeys);
        report.Blank();
        const std::string valueComment = PurgeText(IDS_REPORT_STRING_VALUE);
        for (const std::string& value : registry.localMachineValues)
            report.Line(value, valueComment);
        report.Blank();
    }
    if (registry.Empty())
        report.Text(IDS_REPORT_NO_REGISTRY_DATA);

    report.Blank();
    report.Text(IDS_REPORT_SEPARATOR);
    report.Blank();
    report.Text(IDS_REPORT_FILES_TITLE);
    report.Blank();
    if (found.paths.empty()) {
        report.Text(IDS_REPORT_NO_FILES);
    } else {
        for (const FoundPath& path : found.paths)
            report.Line(path.path, CommentFor(path));
        report.Blank();
    }
    return report.Take();
}
