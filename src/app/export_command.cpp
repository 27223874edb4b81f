#include "app/export_command.h"

#include "app/export_options.h"
#include "app/frame_run_dlg.h"
#include "app/lumivex_app.h"
#include "app/option_values.h"
#include "app/pattern_names.h"
#include "app/tg18_import.h"
#include "catalogue/catalogue.h"
#include "imageio/image_writers.h"

#include <csignal>
#include <new>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct ExportFile {
    CFrameRunDlg::Shot shot;
    std::filesystem::path path;
    imageio::ExportDescription description;
};

const char* Extension(imageio::ImageFormat format) {
    switch (format) {
    case imageio::ImageFormat::Png:
        return ".png";
    case imageio::ImageFormat::Dicom:
        return ".dcm";
    case imageio::ImageFormat::Bmp:
        return ".bmp";
    }
    return "";
}

std::vector<ExportFile> FilesToWrite(const ExportOptions& o) {
    std::vector<int> ids; // -1: the start screen
    switch (o.subject) {
    case ExportOptions::Subject::Pattern:
        ids = {o.pattern};
        break;
    case ExportOptions::Subject::StartScreen:
        ids = {-1};
        break;
    case ExportOptions::Subject::Everything:
        ids.push_back(-1);
        for (int id = 0; id < kPatternCount; ++id) {
            ids.push_back(id);
        }
        break;
    }
    // The files of one export are one study and one series, so that a viewer lists them together.
    imageio::ExportDescription common;
    common.grayLevel = o.grayLevel;
    common.stepCount = o.stepCount;
    common.labelsOn = o.labelsOn;
    common.programVersion = "1.0";
    if (ids.size() > 1 && o.format == imageio::ImageFormat::Dicom) {
        common.studyInstanceUid = imageio::NewDicomUid();
        common.seriesInstanceUid = imageio::NewDicomUid();
    }
    std::vector<ExportFile> files;
    for (const int id : ids) {
        ExportFile f;
        if (id >= 0) {
            f.shot.pattern = id;
        }
        f.shot.grayLevel = o.grayLevel;
        f.shot.labelsOn = o.labelsOn;
        f.shot.stepCount = o.stepCount;
        f.path = o.subject == ExportOptions::Subject::Everything
                     ? o.output / (PatternFileStem(id) + Extension(o.format))
                     : o.output;
        f.description = common;
        if (id >= 0) {
            f.description.patternNumber = id;
        }
        f.description.patternName = PatternTitle(id);
        f.description.instanceNumber = static_cast<int>(files.size()) + 1;
        files.push_back(std::move(f));
    }
    return files;
}

class ProgressBar {
  public:
    ProgressBar(std::ostream& err, bool shown, std::size_t total)
        : err_(err), shown_(shown && total > 1), total_(total) {}

    void Show(std::size_t done, const std::string& name) {
        if (!shown_) {
            return;
        }
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = done * kWidth / total_;
        std::string line = "\r[" + std::string(filled, '#') + std::string(kWidth - filled, '.') +
                           "] " + std::to_string(done) + "/" + std::to_string(total_) + " " + name;
        // Pads over a longer name shown before.
        if (line.size() < width_) {
            line += std::string(width_ - line.size(), ' ');
        }
        width_ = line.size();
        err_ << line << std::flush;
    }
    void Finish() {
        if (shown_ && width_ > 0) {
            err_ << "\n";
        }
    }

  private:
    std::ostream& err_;
    bool shown_;
    std::size_t total_;
    std::size_t width_ = 0;
};

// The main window run on the export's window system: each frame, once on its screen, goes to
// its file.
class CExportDlg : public CFrameRunDlg {
  public:
    CExportDlg(const std::vector<ExportFile>& files, SIZE size, ProgressBar& progress)
        : files_(files), size_(size), progress_(progress) {}

    imageio::WriteResult result; // of the first failed write, or ok
    std::size_t written = 0;

    // An export draws any pattern, whatever the operator's playlist says, and leaves the
    // settings file alone wherever it is kept.
    int LoadSaveSettings(int) override { return 1; }

  protected:
    std::vector<Shot> Plan() override {
        std::vector<Shot> shots;
        for (const ExportFile& f : files_) {
            shots.push_back(f.shot);
        }
        progress_.Show(0, files_.front().path.filename().string());
        return shots;
    }

    Verdict Examine(const Shot&, const gdi::Surface& drawn) override {
        const ExportFile& file = files_[written];
        if (drawn.Width() != size_.cx || drawn.Height() != size_.cy) {
            result = {"the window is " + std::to_string(drawn.Width()) + " x " +
                          std::to_string(drawn.Height()) + " pixels instead of " +
                          std::to_string(size_.cx) + " x " + std::to_string(size_.cy),
                      imageio::WriteFailure::Writing};
            return Verdict::Stop;
        }
        const imageio::FrameView view{drawn.Row(0), drawn.Width(), drawn.Height(),
                                      static_cast<std::size_t>(drawn.Width())};
        result = imageio::WriteImage(view, file.path, file.description);
        if (!result.ok()) {
            return Verdict::Stop;
        }
        ++written;
        progress_.Show(written, file.path.filename().string());
        return Verdict::Next;
    }

  private:
    const std::vector<ExportFile>& files_;
    SIZE size_;
    ProgressBar& progress_;
};

// Draws and writes the files; the exit code.
int Export(const ExportOptions& o, const std::vector<ExportFile>& files,
           const ExportEnvironment& environment, std::ostream& out, std::ostream& err) {
    const SIZE size{o.width, o.height};
    std::unique_ptr<windowing::Backend> backend = environment.makeBackend(size);
    ProgressBar progress(err, environment.progressBar, files.size());
    theApp.SetBackend(backend.get());
    bool completed = false;
    imageio::WriteResult result;
    std::size_t written = 0;
    {
        CExportDlg dlg(files, size, progress);
        dlg.Run();
        completed = dlg.Completed();
        result = dlg.result;
        written = dlg.written;
    }
    theApp.SetBackend(nullptr);
    progress.Finish();
    if (!result.ok()) {
        err << "lumivex: " << result.error << "\n";
        // A file that cannot be made at all is a bad argument; one begun and not finished is
        // a failed write.
        return result.failure == imageio::WriteFailure::Writing ? 1 : 2;
    }
    if (!completed) {
        err << "lumivex: the export ended after " << written << " of " << files.size()
            << " files\n";
        return 1;
    }
    if (o.subject == ExportOptions::Subject::Everything) {
        out << "Wrote " << written << " " << imageio::FormatName(o.format) << " files to "
            << o.output.string() << "\n";
    } else {
        out << "Wrote " << o.output.string() << "\n";
    }
    return 0;
}

} // namespace

bool WantsExport(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i], "--export")) {
            return true;
        }
    }
    return false;
}

int RunExport(int argc, const char* const* argv, const ExportEnvironment& environment,
              std::ostream& out, std::ostream& err) {
    const std::optional<ExportOptions> options = ParseExportOptions(argc, argv, err);
    if (!options) {
        return 2;
    }
    if (!environment.makeBackend) {
        err << "lumivex: --export is not available in this build\n";
        return 2;
    }
    if (const std::optional<int> code = ImportTg18Images(argc, argv, err)) {
        return *code;
    }
    if (options->subject == ExportOptions::Subject::Everything) {
        std::error_code ec;
        std::filesystem::create_directories(options->output, ec);
        if (ec) {
            err << "lumivex: cannot make the folder '" << options->output.string()
                << "': " << ec.message() << "\n";
            return 2;
        }
    }
#ifdef SIGXFSZ
    // A file size limit makes a write fail, as a full disk does, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const std::vector<ExportFile> files = FilesToWrite(*options);
    try {
        return Export(*options, files, environment, out, err);
    } catch (const std::bad_alloc&) {
        theApp.m_pMainWnd = nullptr;
        theApp.SetBackend(nullptr);
        err << "\nlumivex: not enough memory to draw a frame of " << options->width << " x "
            << options->height << " pixels\n";
        return 1;
    }
}
