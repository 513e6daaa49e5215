// ostrevan-render: draws the settings screen with the Qt views into PNG files, one for each mode
// of the screen (Scenes.h), with no display needed (Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise).
//
//   ostrevan-render FOLDER
//
// Each picture starts the control on a fresh sample database of its own, as a host starts it,
// then plays the user's actions of its scene. Any failure (an action refused, a message box that
// the scene does not expect, a picture that cannot be written) is printed, and the status is 1.
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
#include <vector>

#include <unistd.h>

#include "control/Ctr_Ostrevan_p.h"
#include "platform/mvdb/Database.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/MessageBox.h"
#include "tools/mvdb/Commands.h"
#include "tools/render/Scenes.h"

namespace {

// A sample database of the tool's own, removed with it.
class SampleDatabase {
public:
    SampleDatabase() { mvdbtool::fillSample(path_); }
    ~SampleDatabase() { mvdb::Database::Remove(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_ = std::filesystem::temp_directory_path() /
                        ("ostrevan-render-" + std::to_string(::getpid()) + ".mvdb");
};

// The user reading the message boxes of a scene: each is closed with OK, and its text kept; a
// question, which a picture cannot answer, stops the scene.
class MessageReader : public toolkit::MessageService {
public:
    toolkit::MsgAnswer ask(const toolkit::MessageRequest& request) override {
        if (request.buttons != toolkit::MsgButtons::Ok)
            throw std::runtime_error("question inattendue : « " + request.text + " »");
        texts_.push_back(request.text);
        return toolkit::MsgAnswer::Ok;
    }
    // Fails unless the boxes shown were exactly the one expected (nullptr: none).
    void check(const char* expected) const {
        const std::vector<std::string> wanted =
            expected ? std::vector<std::string>{expected} : std::vector<std::string>{};
        if (texts_ != wanted)
            throw std::runtime_error(texts_.size() < wanted.size()
                                         ? "message attendu non affiché : « " + wanted[0] + " »"
                                         : "message inattendu : « " + texts_.back() + " »");
    }

private:
    std::vector<std::string> texts_;
};

void drawScene(const render::Scene& scene, const std::filesystem::path& folder) {
    const SampleDatabase sample;
    if (scene.prepare != nullptr) scene.prepare(sample.path());
    Ctr_Ostrevan control;
    MessageReader messages;
    control.setMessageService(&messages);
    control.TheDatabase(std::make_shared<mvdb::Database>(mvdb::Database::Open(sample.path())));
    const std::shared_ptr<rights::UserRights> rights =
        std::make_shared<rights::ConfiguredRights>(scene.accessLevel);
    control.DroitsUtilisateur(rights);
    qtview::SurfaceWidget widget(control);
    widget.resize(widget.sizeHint());
    control.Init();
    toolkit::User user(control);
    scene.play(control, user);
    messages.check(scene.message);
    QApplication::processEvents();  // the rows of the lists come from the event loop
    const QString out = QString::fromStdString((folder / scene.file).string());
    if (!widget.grab().save(out, "PNG"))
        throw std::runtime_error("l'image ne peut pas être écrite");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string_view(argv[1]).starts_with("-")) {
        std::fprintf(stderr, "usage : ostrevan-render DOSSIER\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const std::filesystem::path folder(argv[1]);
    for (const render::Scene& scene : render::scenes()) {
        try {
            std::filesystem::create_directories(folder);
            drawScene(scene, folder);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "ostrevan-render: %s: %s\n", (folder / scene.file).c_str(),
                         error.what());
            return 1;
        }
    }
    return 0;
}
