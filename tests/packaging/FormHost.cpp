// A Qt host whose form (ControlForm.ui, compiled by uic) holds the control's widget, built against
// the installed development package (pkg-config --cflags --libs ostrevan-qt). It hands the control
// a database and the user's rights, starts it, and acts as the user: a code that names no entity,
// whose message box it reads and closes, then an entity's code. It prints the box's text and the
// lines shown.
//   form-host DATABASE
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <iostream>
#include <memory>
#include <string_view>

#include "platform/mvdb/Database.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"
#include "platform/toolkit/User.h"
#include "ui_ControlForm.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    QApplication application(argc, argv);
    QWidget form;
    Ui::ControlForm ui;
    ui.setupUi(&form);
    Ctr_Ostrevan_Interface& control = ui.ctr_Ostrevan->control();
    control.TheDatabase(std::make_shared<mvdb::Database>(mvdb::Database::Open(argv[1])));
    const std::shared_ptr<rights::UserRights> rights =
        std::make_shared<rights::ConfiguredRights>(2);
    control.DroitsUtilisateur(rights);
    control.Init();
    form.show();

    // The user reads each message box that opens, and closes it.
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::cout << box->text().toStdString() << '\n';
            box->accept();
        }
    });
    reader.start(10);

    toolkit::User user(control.surface());
    auto& code = dynamic_cast<toolkit::TextBox&>(*control.surface().find("Txt_Entite"));
    const auto type = [&](std::string_view keys) {
        for (const char key : keys)
            user.typeKey(code, key);
    };
    type("99");
    user.pressTab();
    type("007");
    std::cout << dynamic_cast<toolkit::ListBox&>(*control.surface().find("Lst_Detail")).ListCount()
              << " lignes\n";
}
