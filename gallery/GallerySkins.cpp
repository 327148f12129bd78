#include "GallerySkins.h"

#include "SkinRead.h"

#include <algorithm>
#include <exception>

namespace {

// While alive, the archive reader's complaints are collected instead of shown.
class TReportCatcher {
  public:
    TReportCatcher() : FSaved(SkinReadReport) {
        SkinReadReport = [this](const std::string& why) { Add(why); };
    }
    ~TReportCatcher() { SkinReadReport = FSaved; }
    TReportCatcher(const TReportCatcher&) = delete;
    TReportCatcher& operator=(const TReportCatcher&) = delete;
    const std::string& Text() const { return FText; }

  private:
    void Add(std::string why) {
        std::replace(why.begin(), why.end(), '\r', '\n');
        FText += (FText.empty() ? "" : "\n") + why;
    }
    std::function<void(const std::string&)> FSaved;
    std::string FText;
};

} // namespace

std::string LoadSkinBytes(TSkinData& skin, TMemoryStream& bytes) {
    if (bytes.Size() == 0) return "The file is empty.";
    TReportCatcher reports;
    bytes.SetPosition(0);
    skin.LoadFromStream(bytes);
    return reports.Text();
}

std::string LoadSkinFile(TSkinData& skin, const std::string& path) {
    TMemoryStream bytes;
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        if (file.Size() > MaxSkinFileSize) return "The file is larger than any skin (64 MB or more).";
        bytes.CopyFrom(file, 0);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception&) {
        return "The file cannot be read.";
    }
    return LoadSkinBytes(skin, bytes);
}
