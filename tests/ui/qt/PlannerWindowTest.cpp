// How the window is built from its layout: size, places, looks, captions, focus and tab order,
// and the art.
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <vector>

#include "tests/ui/qt/PlannerWindowFixture.h"
#include "ui/qt/Artwork.h"

namespace tarnwick {
namespace {

class PlannerWindowTest : public PlannerWindowFixture {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(PlannerWindowTest, HasItsFixedClientSizeCaptionAndIcon) {
  EXPECT_EQ(shown->size(), QSize(510, 505));
  EXPECT_EQ(shown->minimumSize(), shown->maximumSize());
  EXPECT_FALSE(shown->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(shown->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(shown->windowTitle(), "Tarnwick");
  const QList<QSize> iconSizes = shown->windowIcon().availableSizes();
  EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
  EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
  // The name of the desktop entry and icon that the package installs.
  EXPECT_EQ(QGuiApplication::desktopFileName(), "io.github.tarnwick.Tarnwick");
}

TEST_F(PlannerWindowTest, EveryWidgetStandsInItsContainerWhereTheLayoutPutsIt) {
  for (const ControlLayout& row : MainWindowLayout()) {
    const QString name = QString::fromUtf8(row.name.data(), static_cast<int>(row.name.size()));
    SCOPED_TRACE(name.toStdString());
    const QWidget* widget = shown->findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), row.container);
    EXPECT_EQ(widget->geometry(), QRect(row.place.left / 15, row.place.top / 15,
                                        row.place.width / 15, row.place.height / 15));
  }
}

// A caption cut short would show a wrong word; this also fails when the window's font is
// missing and another, wider one stands in.
TEST_F(PlannerWindowTest, EveryCaptionFitsItsControl) {
  for (QLabel* label : shown->findChildren<QLabel*>()) {
    const QFontMetrics metrics(label->font());
    std::vector<QString> captions = {label->text()};
    if (label->objectName().startsWith("lblUnits")) captions = {"Lbs.", "Kgs."};
    // The widest figures each speed label can show, without and with icing.
    if (label->objectName() == "lblVmLB15") captions = {"VmLB15: 133", "VmLB15: n/a"};
    if (label->objectName() == "lblVmLB0") captions = {"VmLB0: 167"};
    for (const QString& caption : captions) {
      EXPECT_LE(metrics.horizontalAdvance(caption), label->width())
          << label->objectName().toStdString() << " cuts " << caption.toStdString();
    }
  }
  for (QPushButton* button : shown->findChildren<QPushButton*>()) {
    const QString caption = button->text().remove('&');
    EXPECT_LT(QFontMetrics(button->font()).horizontalAdvance(caption), button->width() - 8)
        << caption.toStdString();
  }
  for (const char* name : {"cboWindType", "cboWindTypeAlt", "cboCruisingAlt", "cboUnits"}) {
    QComboBox* list = W<QComboBox>(name);
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    for (int index = 0; index < list->count(); ++index) {
      EXPECT_LE(QFontMetrics(list->font()).horizontalAdvance(list->itemText(index)), field.width())
          << name;
    }
  }
}

TEST_F(PlannerWindowTest, BoxesHaveTheirBackgroundsAndOnlyInputBoxesTakeTyping) {
  for (const char* name : {"txtBOW", "txtZFW", "txtTaxiWeight", "txtGTOW", "txtPLW", "txtPLWAlt",
                           "txtEnrouteFuel", "txtAlternateFuel", "txtTotalFuel"}) {
    EXPECT_TRUE(Box(name)->isReadOnly()) << name;
    EXPECT_EQ(Box(name)->palette().color(QPalette::Base), QColor(192, 192, 192)) << name;
  }
  for (const char* name : {"txtHeadwind", "txtHeadwindAlt", "txtPayload", "txtTaxiFuel",
                           "txtHoldingFuel", "txtMinimumFuel"}) {
    EXPECT_FALSE(Box(name)->isReadOnly()) << name;
    EXPECT_EQ(Box(name)->palette().color(QPalette::Base), QColor(Qt::white)) << name;
    EXPECT_EQ(Box(name)->maxLength(), 32767) << name << " must take any length";
  }
  for (const char* name : {"txtLeftTank", "txtRightTank"}) {
    const QLineEdit* tank = Box(name);
    EXPECT_TRUE(tank->isReadOnly());
    EXPECT_EQ(tank->palette().color(QPalette::Base), QColor(224, 224, 224));
    EXPECT_EQ(TextColourOf(name), QColor(0, 0, 255));
    EXPECT_TRUE(tank->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_TRUE(tank->font().bold());
    EXPECT_TRUE(QFontInfo(tank->font()).fixedPitch());
    EXPECT_LE(QFontMetrics(tank->font()).height(), tank->height());
  }
}

// The speed labels stand on the black panel and keep their own colours on it.
TEST_F(PlannerWindowTest, SpeedLabelsShowTheirColoursOnTheBlackPanel) {
  QLabel* panel = W<QLabel>("Label24");
  EXPECT_TRUE(panel->autoFillBackground());
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::black));
  QLabel* v1 = W<QLabel>("lblV1");
  EXPECT_TRUE(panel->geometry().contains(v1->geometry()));
  EXPECT_EQ(v1->palette().color(QPalette::WindowText), QColor(0, 128, 0));
  EXPECT_EQ(W<QLabel>("lblV2")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  const QObjectList& stack = panel->parentWidget()->children();
  EXPECT_GT(stack.indexOf(v1), stack.indexOf(panel)) << "the panel must lie under the labels";
}

TEST_F(PlannerWindowTest, UnseenUnitLabelsAreWrittenButLieOutsideTheWeightsFrame) {
  const QRect frame = W<QGroupBox>("Frame2")->rect();
  for (int index = 0; index < MainWindowControls::kUnitLabelCount; ++index) {
    const QLabel* label = W<QLabel>(("lblUnits(" + std::to_string(index) + ")").c_str());
    SCOPED_TRACE(index);
    EXPECT_EQ(label->text(), "Kgs.");
    if (index <= 5) {
      EXPECT_FALSE(frame.intersects(label->geometry()));
    } else {
      EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
    }
  }
}

TEST_F(PlannerWindowTest, FocusStartsOnTripDistanceAndTabFollowsTheDesignOrder) {
  Activate();
  const std::vector<std::string> order = {"cboTripDistance",
                                          "cboCruisingAlt",
                                          "cboWindType",
                                          "txtHeadwind",
                                          "cboTemp",
                                          "cboAlternateDistance",
                                          "cboCruisingAltAlt",
                                          "cboWindTypeAlt",
                                          "txtHeadwindAlt",
                                          "txtTaxiFuel",
                                          "txtHoldingFuel",
                                          "txtMinimumFuel",
                                          "txtPayload",
                                          "chkIcing",
                                          "cmdOperatingLimits",
                                          "cboUnits",
                                          "cmdReadPayload",
                                          "cmdBoardFuel",
                                          "cmdPrint",
                                          "cmdAbout",
                                          "cmdExit",
                                          "txtZFW",
                                          "txtTaxiWeight",
                                          "txtGTOW",
                                          "txtPLW",
                                          "txtPLWAlt",
                                          "txtBOW",
                                          "txtAlternateFuel",
                                          "txtEnrouteFuel",
                                          "txtTotalFuel",
                                          "txtRightTank",
                                          "txtLeftTank",
                                          "cboTripDistance"};
  std::vector<std::string> visited;
  for (std::size_t stop = 0; stop < order.size(); ++stop) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    visited.push_back(focus->objectName().toStdString());
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  EXPECT_EQ(visited, order);
}

// The first row of the frame, at its middle column (right of every title), that is not the
// window's background: where the frame's line is drawn.
int FirstDrawnRow(const QImage& image, const QWidget& frame) {
  const QRgb background = frame.palette().color(QPalette::Window).rgb();
  const QRect place = frame.geometry();
  for (int y = place.top(); y < place.bottom(); ++y) {
    if (image.pixel(place.center().x(), y) != background) return y - place.top();
  }
  return -1;
}

// Each frame's line runs through its title at the top, above everything the frame holds.
TEST_F(PlannerWindowTest, FrameLinesRunThroughTheTitlesAboveTheContents) {
  const QImage image = shown->grab().toImage();
  for (const char* name : {"Frame1", "Frame2", "Frame3", "frmAircraft"}) {
    SCOPED_TRACE(name);
    const auto* frame = W<QGroupBox>(name);
    const int lineTop = FirstDrawnRow(image, *frame);
    EXPECT_EQ(lineTop, QFontMetrics(frame->font()).height() / 2);
    for (const QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      EXPECT_LT(lineTop, child->geometry().top()) << child->objectName().toStdString();
    }
  }
}

// The focus on the first list shows from the start, not only after the first Tab.
TEST_F(PlannerWindowTest, FocusShowsOnTheFirstListFromTheStart) {
  Activate();
  auto* first = W<QComboBox>("cboTripDistance");
  ASSERT_EQ(QApplication::focusWidget(), first);
  QStyleOptionComboBox option;
  option.initFrom(first);
  EXPECT_TRUE(option.state.testFlag(QStyle::State_HasFocus));
  EXPECT_TRUE(option.state.testFlag(QStyle::State_KeyboardFocusChange));
}

// The drawings render, at their sizes, into something more than one flat colour.
TEST(ArtworkTest, BannerAndIconsRenderAsDrawings) {
  const auto colours = [](const QImage& image) {
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); y += 3) {
      for (int x = 0; x < image.width(); x += 3) seen.insert(image.pixel(x, y));
    }
    return seen.size();
  };
  const QImage banner = RenderArt(kBannerArt, kBannerSize);
  ASSERT_FALSE(banner.isNull());
  EXPECT_GT(colours(banner), 200u);
  // Sky above, runway below the aircraft, and the white fuselage in the middle.
  EXPECT_GT(qBlue(banner.pixel(480, 5)), qRed(banner.pixel(480, 5)) + 60);
  EXPECT_GT(qGray(banner.pixel(250, 84)), 200);
  for (const auto& [art, side] : {std::pair{kIconArt, 32}, std::pair{kSmallIconArt, 16}}) {
    const QImage icon = RenderArt(art, {side, side});
    ASSERT_FALSE(icon.isNull());
    EXPECT_GT(colours(icon), 2u);
    EXPECT_EQ(qAlpha(icon.pixel(side / 2, side / 2)), 255);
  }
  EXPECT_TRUE(RenderArt(":/tarnwick/none.svg", {8, 8}).isNull());
}

}  // namespace
}  // namespace tarnwick
