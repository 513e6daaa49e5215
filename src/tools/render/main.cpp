// ostrevan-render: draws the settings screen with the Qt views into a PNG file, with no display
// needed (Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise).
//
//   ostrevan-render OUT.png [--entity CODE]
//
// The control is started on a fresh sample database, as a host starts it; --entity also types
// the entity's code, so that its lines show in the list under the column headings and bars.
// Any failure (an unknown code among them) is printed, and the status is 1.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include <unistd.h>

#include "control/Ctr_Ostrevan.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/rights/Rights.h"
#include "tools/mvdb/Commands.h"

namespace {

// A sample database of the tool's own, removed with it.
class SampleDatabase {
public:
    SampleDatabase() { mvdbtool::fillSample(path_); }
    ~SampleDatabase() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_ + suffix);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_ = std::filesystem::temp_directory_path() /
                        ("ostrevan-render-" + std::to_string(::getpid()) + ".mvdb");
};

void render(const SampleDatabase& sample, const char* entity, const QString& out) {
    Ctr_Ostrevan control;
    control.TheDatabase(std::make_shared<mvdb::Database>(mvdb::Database::Open(sample.path())));
    control.DroitsUtilisateur(
        std::shared_ptr<rights::UserRights>(std::make_shared<rights::ConfiguredRights>(2)));
    control.Init();
    if (entity != nullptr) control.Txt_Entite.SetText(entity);
    qtview::SurfaceWidget widget(control);
    widget.resize(widget.sizeHint());
    QApplication::processEvents();  // the rows of the lists come from the event loop
    if (!widget.grab().save(out, "PNG")) throw std::runtime_error("cannot write the picture");
}

}  // namespace

int main(int argc, char** argv) {
    const bool withEntity = argc == 4 && std::string_view(argv[2]) == "--entity";
    if ((argc != 2 && !withEntity) || std::string_view(argv[1]).starts_with("-")) {
        std::fprintf(stderr, "usage: ostrevan-render OUT.png [--entity CODE]\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    try {
        const SampleDatabase sample;
        render(sample, withEntity ? argv[3] : nullptr, QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ostrevan-render: %s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
