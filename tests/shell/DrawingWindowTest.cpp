// The drawing window: the picture and the turtle on the screen after
// commands, which areas a refresh repaints, quick commands, and choosing a
// rectangle with the mouse.
#include "shell/DrawingWindow.h"

#include "shell/DrawingZoom.h"

#include "core/GlobalSettings.h"
#include "engine/LogoEngine.h"

#include <QPaintEvent>
#include <QRubberBand>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace mivarelo;

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Blue = 0xff0000ff;

// Collects the areas the window is repainted in.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

} // namespace

class DrawingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetGlobals();
        engine_ = std::make_unique<LogoEngine>();
        form_ = std::make_unique<DrawingWindow>(*engine_);
    }
    void cleanup() {
        form_.reset();
        engine_.reset();
        ResetGlobals();
    }

    void ShowsThePictureWithTheTurtleOnTop() {
        QCOMPARE(form_->size(), QSize(2000, 2000));
        QVERIFY(form_->testAttribute(Qt::WA_OpaquePaintEvent));
        QVERIFY(engine_->Dispatcher().RunCommandLine("fd 100"));
        QVERIFY(engine_->Dispatcher().RunCommandLine("rt 90"));
        form_->RefreshWindow(false);

        const QImage shown = form_->grab().toImage();
        QCOMPARE(shown.pixel(520, 500), Black);
        QCOMPARE(shown.pixel(520, 501), White);
        QCOMPARE(shown.pixel(600, 500), Blue);
        QCOMPARE(shown.pixel(598, 502), Red);
        QCOMPARE(shown.pixel(602, 498), Red);
        // Heading 90: the turtle's (black) eyes are below its pixel; row 500
        // holds the line.
        int eyesBelow = 0, eyesAbove = 0;
        for (int y = 470; y < 530; ++y)
            for (int x = 570; x < 630; ++x)
                if (y != 500 && shown.pixel(x, y) == Black) ++(y > 500 ? eyesBelow : eyesAbove);
        QVERIFY(eyesBelow > 0);
        QCOMPARE(eyesAbove, 0);
        // The turtle is drawn on the window only.
        QCOMPARE(engine_->Screen().Surface().PixelColor(598, 502), WhiteColor);

        QVERIFY(engine_->Dispatcher().RunCommandLine("ht"));
        const QImage hidden = form_->grab().toImage();
        QCOMPARE(hidden.pixel(598, 502), White);
        QCOMPARE(hidden.pixel(520, 500), Black);
    }

    void RepaintsTheChangedAreaAndTheOldAndNewTurtle() {
        PaintRecorder recorder;
        form_->installEventFilter(&recorder);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        // The cleared picture of the start is repainted as a whole first.
        recorder.paints = 0;
        form_->RefreshWindow(false);
        QTRY_VERIFY(recorder.paints > 0);

        recorder.painted = QRegion();
        QVERIFY(engine_->Dispatcher().RunCommandLine("fd 200"));
        form_->RefreshWindow(false);
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const QRect area = recorder.painted.boundingRect();
        QVERIFY(area.contains(QRect(470, 470, 61, 61))); // the old turtle
        QVERIFY(area.contains(QRect(670, 470, 61, 61))); // the new turtle
        QVERIFY(area.contains(QRect(500, 500, 200, 1))); // the line
        QVERIFY(area.width() < 400 && area.height() < 100);

        // Quick commands: nothing until a forced refresh, which repaints all.
        Globals().QuickCommands = true;
        recorder.painted = QRegion();
        recorder.paints = 0;
        QVERIFY(engine_->Dispatcher().RunCommandLine("fd 100"));
        form_->RefreshWindow(false);
        QTest::qWait(50);
        QCOMPARE(recorder.paints, 0);
        form_->RefreshWindow(true);
        QTRY_VERIFY(recorder.paints > 0);
        QCOMPARE(recorder.painted.boundingRect(), QRect(0, 0, 2000, 2000));
        const QImage shown = form_->grab().toImage();
        QCOMPARE(shown.pixel(750, 500), Black);
        QCOMPARE(shown.pixel(800, 500), Blue);
        form_->removeEventFilter(&recorder);
    }

    void DragLeavesTheSelectionAndNoRectangle() {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QSignalSpy moved(form_.get(), &DrawingWindow::MouseMoved);
        QSignalSpy made(form_.get(), &DrawingWindow::SelectionMade);
        QCOMPARE(form_->Selection().left, -1);

        QTest::mousePress(form_.get(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(form_.get(), QPoint(30, 25));
        auto* band = form_->findChild<QRubberBand*>();
        QVERIFY(band && band->isVisible());
        QCOMPARE(band->geometry(), QRect(QPoint(10, 10), QPoint(30, 25)));
        QTest::mouseMove(form_.get(), QPoint(50, 40));
        QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, QPoint(50, 40));

        const SelectionRect& s = form_->Selection();
        QCOMPARE(s.left, 10);
        QCOMPARE(s.top, 10);
        QCOMPARE(s.right, 50);
        QCOMPARE(s.bottom, 40);
        QCOMPARE(made.count(), 1);
        QVERIFY(moved.count() >= 2);
        QCOMPARE(moved.last().at(0).toPoint(), QPoint(50, 40));
        QVERIFY(!band->isVisible());
        const QImage shown = form_->grab().toImage();
        QCOMPARE(shown.pixel(10, 10), White);
        QCOMPARE(shown.pixel(30, 40), White);
    }

    // At 200 % every picture pixel is two by two window pixels, the turtle is
    // twice its size, and the mouse and the selection still speak picture
    // pixels.
    void ZoomScalesThePictureTheTurtleAndTheMouse() {
        QVERIFY(engine_->Dispatcher().RunCommandLine("fd 100"));
        form_->SetZoom(2.0);
        QCOMPARE(form_->size(), QSize(4000, 4000));
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        const QImage shown = form_->grab(QRect(900, 900, 400, 200)).toImage();
        for (const QPoint p : {QPoint(1040, 1000), QPoint(1041, 1001), QPoint(1100, 1000)})
            QCOMPARE(shown.pixel(p - QPoint(900, 900)), Black);
        QCOMPARE(shown.pixel(QPoint(1040, 1002) - QPoint(900, 900)), White);
        // The turtle's nose, two pixels ahead of its place at zoom 1.
        QCOMPARE(shown.pixel(QPoint(1200, 1000) - QPoint(900, 900)), Blue);
        QCOMPARE(shown.pixel(QPoint(1196, 1004) - QPoint(900, 900)), Red);

        QSignalSpy moved(form_.get(), &DrawingWindow::MouseMoved);
        QTest::mousePress(form_.get(), Qt::LeftButton, {}, QPoint(21, 21));
        QTest::mouseMove(form_.get(), QPoint(101, 81));
        QCOMPARE(moved.last().at(0).toPoint(), QPoint(50, 40));
        QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, QPoint(101, 81));
        const SelectionRect& s = form_->Selection();
        QCOMPARE(QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom)),
                 QRect(QPoint(10, 10), QPoint(50, 40)));
    }

    // Ctrl and the wheel zoom around the mouse: the picture point under it
    // stays under it. The menu's factors keep the view's centre.
    void WheelZoomKeepsThePointUnderTheMouse() {
        QScrollArea area;
        area.resize(600, 400);
        auto* form = form_.release();
        DrawingZoom zoom(&area, form);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QWidget* view = area.viewport();
        // Any point can come to the middle of the view, a corner too.
        zoom.CentreOn(QPoint(0, 0));
        QCOMPARE(form->ToPicture(form->mapFrom(view, view->rect().center())), QPoint(0, 0));
        zoom.CentreOn(QPoint(1000, 1100));
        const QPoint inView(150, 100);
        const QPoint under = form->ToPicture(form->mapFrom(view, inView));
        const QPoint middle = view->rect().center();
        QCOMPARE(under, QPoint(1000, 1100) + inView - middle);
        const QPointF at = QPointF(form->mapFrom(view, inView));
        QWheelEvent in(at, form->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton,
                       Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form, &in);
        QCOMPARE(form->Zoom(), 1.5625);
        // Scrolling goes by whole window pixels: the point may move by less
        // than one picture pixel.
        const QPoint after = form->ToPicture(form->mapFrom(view, inView)) - under;
        QVERIFY(std::abs(after.x()) <= 1 && std::abs(after.y()) <= 1);
        QWheelEvent plain(at, form->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form, &plain);
        QCOMPARE(form->Zoom(), 1.5625);

        const QPoint centred = form->ToPicture(form->mapFrom(view, middle));
        zoom.Set(0.5);
        QCOMPARE(form->size(), QSize(1000, 1000));
        QVERIFY((form->ToPicture(form->mapFrom(view, middle)) - centred).manhattanLength() <= 2);
        zoom.Fit();
        QCOMPARE(form->Zoom(), view->height() / 2000.0);
        QCOMPARE(zoom.VisiblePicture(), QRect(0, 0, 2000, 2000));
        form_.reset(form);
        form->setParent(nullptr);
    }

private:
    std::unique_ptr<LogoEngine> engine_;
    std::unique_ptr<DrawingWindow> form_;
};

QTEST_MAIN(DrawingWindowTest)
#include "DrawingWindowTest.moc"
