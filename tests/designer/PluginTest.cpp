// The designer plugin loaded as a form designer loads it, by QPluginLoader from its file: what the
// widget box shows of it, and the live control it places on a form. The test holds none of the
// control's code, only a screen of its own and the toolbox image to compare with.
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPluginLoader>
#include <cstdint>
#include <memory>

#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include "platform/toolkit/Surface.h"
#include "qt/QtTesting.h"
#include "screen/Screen.h"
#include "screen/ToolboxImage.h"

namespace {

class PluginTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
        plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
        ASSERT_NE(plugin, nullptr) << "not a designer's custom widget";
    }

    QPluginLoader loader{DESIGNER_PLUGIN};
    QDesignerCustomWidgetInterface* plugin = nullptr;
};

TEST_F(PluginTest, TheWidgetBoxListsTheControlUnderItsToolboxImageAtItsDesignSize) {
    EXPECT_EQ(loader.metaData().value("IID").toString(),
              "org.qt-project.Qt.QDesignerCustomWidgetInterface")
        << "the designer takes only its custom widgets' plugins";
    EXPECT_EQ(plugin->name(), "ostrevan::ControlWidget");
    EXPECT_EQ(plugin->group(), "Ostrevan");
    EXPECT_EQ(plugin->includeFile(), "widget/ControlWidget.h");
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_TRUE(plugin->domXml().contains("<widget class=\"ostrevan::ControlWidget\""));
    EXPECT_TRUE(plugin->domXml().contains("<width>1138</width><height>338</height>"))
        << plugin->domXml().toStdString();

    const QIcon icon = plugin->icon();
    ASSERT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 15)});
    const QImage shown = icon.pixmap(QSize(16, 15)).toImage();
    const toolkit::IndexedBitmap& image = screen::toolboxImage();
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t colour = image.palette[image.pixels[y * image.width + x]];
            EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, colour) << "pixel " << x << ", " << y;
        }
    }
}

// Every widget of the screen shows in the placed control, named as the screen names it, shown and
// enabled as before Init; the control goes with the widget.
TEST_F(PluginTest, ThePlacedWidgetShowsAControlJustCreatedAtItsDesignSize) {
    const std::unique_ptr<QWidget> placed(plugin->createWidget(nullptr));
    ASSERT_EQ(placed->logicalDpiX(), 96);
    EXPECT_EQ(placed->size(), QSize(1138, 338));
    EXPECT_EQ(placed->metaObject()->className(), plugin->name())
        << "the designer expects the class it lists";

    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    const screen::Screen fresh{surface};
    for (const toolkit::Control* control : surface.Controls()) {
        const auto* model = dynamic_cast<const toolkit::Widget*>(control);
        if (model == nullptr) continue;
        const QString name =
            model->Index() < 0
                ? QString::fromStdString(model->Name())
                : QString("%1(%2)").arg(QString::fromStdString(model->Name())).arg(model->Index());
        const auto* shown = placed->findChild<QWidget*>(name);
        ASSERT_NE(shown, nullptr) << name.toStdString();
        EXPECT_EQ(shown->isHidden(), !model->Visible()) << name.toStdString();
        EXPECT_EQ(shown->testAttribute(Qt::WA_ForceDisabled), !model->Enabled())
            << name.toStdString();
    }
    const auto* code = placed->findChild<QLineEdit*>("Txt_Entite");
    ASSERT_NE(code, nullptr);
    EXPECT_TRUE(code->text().isEmpty());
}

}  // namespace
