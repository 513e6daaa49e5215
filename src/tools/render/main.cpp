// ostrevan-render: draws the settings screen with the Qt views into a PNG file, with no display
// needed (Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise).
//
//   ostrevan-render OUT.png [--lines]
//
// The screen stands as created (its design-time states); --lines also opens the frame and lists
// three example lines, to show the columns of the list of lines under their headings and bars.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Utf8.h"
#include "platform/qt/SurfaceWidget.h"
#include "screen/Screen.h"

namespace {

// An example line: five columns of 31 characters, each a code, "-" and the start of a label.
std::string exampleLine(std::initializer_list<std::string_view> columns) {
    std::string line;
    for (const std::string_view column : columns) {
        line += column;
        line.append(31 - platform::characterCount(column), ' ');
    }
    return line;
}

void showExampleLines(screen::Screen& ecran) {
    toolkit::setEnabled({&ecran.Cdr_RubHeures, &ecran.Etq_RubNorm, &ecran.Etq_RubDim,
                         &ecran.Etq_RubJF, &ecran.Etq_RubJFNonTrav, &ecran.Etq_Rub1Mai},
                        true);
    ecran.Lst_Detail.AddItem(
        exampleLine({"101-Heures normales", "205-Heures dimanche", "310-Heures fériées travaillées",
                     "320-Heures fériées", "330-Heures 1er mai"}));
    ecran.Lst_Detail.AddItem(
        exampleLine({"102-Heures de nuit", "206-Dimanche de nuit", "", "", ""}));
    ecran.Lst_Detail.AddItem(exampleLine({"007-Astreinte", "", "", "", "331-1er mai astreinte"}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]).starts_with("-")) {
        std::fprintf(stderr, "usage: ostrevan-render OUT.png [--lines]\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    toolkit::Surface surface(screen::kDesignWidth, screen::kDesignHeight);
    screen::Screen ecran(surface);
    if (argc > 2 && std::string_view(argv[2]) == "--lines") showExampleLines(ecran);
    qtview::SurfaceWidget widget(surface);
    widget.resize(widget.sizeHint());
    if (!widget.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "ostrevan-render: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
