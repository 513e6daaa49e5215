// A small surface of every kind of widget, shown by a SurfaceWidget, for the tests of the views.
#pragma once

#include <QApplication>
#include <QTest>
#include <memory>

#include <gtest/gtest.h>

#include "QtTesting.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/toolkit/Button.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/Frame.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/MenuEntry.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"

namespace qtview {

inline toolkit::Placement at(const char* name, toolkit::Rect geometry, int tabIndex,
                             toolkit::Frame* container = nullptr) {
    return {name, -1, container, geometry, tabIndex};
}

class TestSurface : public testing::Test {
protected:
    TestSurface() {
        lines.setFont({"Courier New", 8.25, false});
        bar.setBackColour(toolkit::SystemColour::ActiveBorder);
        bar.setTabStop(false);
        view = std::make_unique<SurfaceWidget>(surface);
        // An action that the models refuse is a fault of the view that asked for it.
        view->setErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    template <class QtWidget>
    QtWidget& qt(const toolkit::Widget& model) const {
        auto* widget = qobject_cast<QtWidget*>(view->widgetFor(model));
        EXPECT_NE(widget, nullptr) << model.Name();
        return *widget;
    }

    // Where Qt's keyboard focus is, or would be once the window is active.
    QWidget* qtFocus() const { return view->window()->focusWidget(); }

    toolkit::Surface surface{9000, 4500};
    toolkit::Label& caption =
        surface.add<toolkit::Label>(at("Lbl_Caption", {150, 150, 1200, 300}, 0), "Nom");
    toolkit::TextBox& name =
        surface.add<toolkit::TextBox>(at("Txt_Name", {1500, 150, 3000, 300}, 1));
    toolkit::ComboBox& kind =
        surface.add<toolkit::ComboBox>(at("Cmb_Kind", {1500, 600, 3000, 300}, 2));
    toolkit::ListBox& lines =
        surface.add<toolkit::ListBox>(at("Lst_Lines", {1500, 1050, 3000, 1500}, 3));
    toolkit::Button& ok =
        surface.add<toolkit::Button>(at("Cmd_Ok", {1500, 2700, 1200, 360}, 4), "OK");
    toolkit::Frame& box =
        surface.add<toolkit::Frame>(at("Fra_Box", {5000, 150, 3000, 1500}, 5), "Cadre");
    toolkit::TextBox& inner =
        surface.add<toolkit::TextBox>(at("Txt_Inner", {150, 300, 2000, 300}, 6, &box));
    toolkit::TextBox& bar = surface.add<toolkit::TextBox>(at("Txt_Bar", {0, 3300, 9000, 150}, 7));
    toolkit::Label& title =
        surface.add<toolkit::Label>(at("Lbl_Title", {5000, 2000, 3000, 600}, 8), "Un titre centré",
                                    toolkit::LabelLayout::CentredAndWrapped);
    std::unique_ptr<SurfaceWidget> view;
};

}  // namespace qtview
