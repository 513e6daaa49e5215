// The settings screen's window at the scale a person sets for their screen (QT_SCALE_FACTOR):
// CTest runs this test at 100% and at 200%. Whatever the scale, every widget keeps its place and
// size in device-independent pixels, those of a screen at 100% (96 dots per inch), while the
// window's picture, in the screen's own pixels, grows by the scale.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/qt/SurfaceWidget.h"
#include "platform/qt/Twips.h"
#include "screen/Screen.h"

namespace {

constexpr qreal kDpiAt100 = 96;

qreal scaleSet() {
    return qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")
               ? 1.0
               : qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
}

TEST(ScaledWindow, KeepsItsLayoutWhileItsPictureGrowsByTheScale) {
    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    const screen::Screen screen{surface};
    qtview::SurfaceWidget view{surface};
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    const QRect design = qtview::pixelRect({0, 0, screen::kDesignWidth, screen::kDesignHeight},
                                           kDpiAt100, kDpiAt100);
    EXPECT_EQ(view.size(), design.size());
    EXPECT_EQ(view.grab().toImage().size(), design.size() * scaleSet());

    for (const toolkit::Control* control : surface.Controls()) {
        const auto* model = dynamic_cast<const toolkit::Widget*>(control);
        if (model == nullptr) continue;
        const QRect shown = view.widgetFor(*model)->geometry();
        const QRect placed = qtview::pixelRect(model->geometry(), kDpiAt100, kDpiAt100);
        // A label sized to its caption keeps its place; its size is its caption's.
        const auto* label = dynamic_cast<const toolkit::Label*>(model);
        if (label != nullptr && label->layout() == toolkit::LabelLayout::SizedToCaption) {
            EXPECT_EQ(shown.topLeft(), placed.topLeft()) << model->Name();
        } else {
            EXPECT_EQ(shown, placed) << model->Name() << "(" << model->Index() << ")";
        }
    }
}

}  // namespace
