#include "ListFixture.h"
#include "listview/CFlatHeaderCtrl.h"
#include "listview/CHeaderDragWnd.h"
#include "listview/HeaderGeometry.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace fixture;
using Order = std::vector<int>;

Q_DECLARE_METATYPE(Order)

class TestColumnDrag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        SilenceOffscreenLimits();
        QVERIFY(UseReferenceFont());
    }
    void init();
    void cleanup();

    void reorderedColumns_data();
    void reorderedColumns();
    void dragStartsBeyondDragDistance_data();
    void dragStartsBeyondDragDistance();
    void dropReorders_data();
    void dropReorders();
    void dropPositionWhileDragging_data();
    void dropPositionWhileDragging();
    void dropMarkerPainted_data();
    void dropMarkerPainted();
    void pictureHiddenUntilFirstMoveThenCentred();
    void pictureShowsItemWithArrow();
    void escapeDoesNotEndDrag();
    void refusals_data();
    void refusals();
    void releaseCleansUp();
    void cellFromPointAfterDrag();
    void interruptedPressEnds_data();
    void interruptedPressEnds();

private:
    void Press(int column);
    void MoveTo(QPoint point);
    void Release(QPoint point);
    // Press on a heading, start the drag and track one move to `target`.
    void DragTo(int column, QPoint target);

    std::unique_ptr<CKeywordListCtrl> m_list;
    CFlatHeaderCtrl* m_header = nullptr;
    QPoint m_last;
};

void TestColumnDrag::init() {
    m_list = MakeShownList(3);
    QVERIFY(m_list);
    m_header = m_list->HeaderCtrl();
}

void TestColumnDrag::cleanup() {
    // A failed check must not leave the test's simulated button held for the next one.
    if (QTest::currentTestFailed() && m_header)
        QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, m_last);
    m_header = nullptr;
    m_list.reset();
}

void TestColumnDrag::Press(int column) {
    m_last = SectionPoint(*m_header, column, 0.5);
    QTest::mousePress(m_header->viewport(), Qt::LeftButton, {}, m_last);
}

void TestColumnDrag::MoveTo(QPoint point) {
    m_last = point;
    QTest::mouseMove(m_header->viewport(), point);
}

void TestColumnDrag::Release(QPoint point) {
    m_last = point;
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, point);
}

void TestColumnDrag::DragTo(int column, QPoint target) {
    Press(column);
    MoveTo(target);
    QVERIFY(m_header->IsDragging());
    MoveTo(target);
}

void TestColumnDrag::reorderedColumns_data() {
    QTest::addColumn<Order>("order");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<Order>("expected");
    const Order plain{0, 1, 2, 3};
    QTest::newRow("last to the front") << plain << 3 << 0 << Order{3, 0, 1, 2};
    QTest::newRow("first to the end") << plain << 0 << 4 << Order{1, 2, 3, 0};
    QTest::newRow("one step right") << plain << 1 << 3 << Order{0, 2, 1, 3};
    QTest::newRow("two steps left") << plain << 2 << 0 << Order{2, 0, 1, 3};
    QTest::newRow("onto itself") << plain << 1 << 1 << plain;
    QTest::newRow("behind itself") << plain << 1 << 2 << plain;
    QTest::newRow("already reordered") << Order{2, 0, 1} << 1 << 3 << Order{2, 1, 0};
    QTest::newRow("drop past the end is ignored") << plain << 1 << 5 << plain;
}

void TestColumnDrag::reorderedColumns() {
    QFETCH(Order, order);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(Order, expected);
    QCOMPARE(headergeom::ReorderedColumns(order, from, to), expected);
}

void TestColumnDrag::dragStartsBeyondDragDistance_data() {
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("dragDrop");
    QTest::addColumn<bool>("starts");
    const int d = QApplication::startDragDistance();
    QTest::newRow("just inside, right") << d - 1 << 0 << true << false;
    QTest::newRow("left edge is inside") << -d << 0 << true << false;
    QTest::newRow("top-left corner is inside") << -d << -d << true << false;
    QTest::newRow("just inside, down") << 0 << d - 1 << true << false;
    QTest::newRow("right edge is outside") << d << 0 << true << true;
    QTest::newRow("bottom edge is outside") << 0 << d << true << true;
    QTest::newRow("past the left edge") << -d - 1 << 0 << true << true;
    QTest::newRow("far, but dragging switched off") << 3 * d << 0 << false << false;
}

void TestColumnDrag::dragStartsBeyondDragDistance() {
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, dragDrop);
    QFETCH(bool, starts);
    m_header->SetDragDrop(dragDrop);
    QSignalSpy begins(m_header, &CFlatHeaderCtrl::DragBeginning);
    Press(Keyword);
    const QPoint press = m_last;
    MoveTo(press + QPoint(dx / 2, dy / 2));
    MoveTo(press + QPoint(dx, dy));
    QCOMPARE(m_header->IsDragging(), starts);
    QCOMPARE(begins.count(), starts ? 1 : 0);
    QCOMPARE(m_header->DragWnd() != nullptr, starts);
    Release(m_last);
    QVERIFY(!m_header->IsDragging());
    QCOMPARE(DisplayOrder(*m_header), (Order{0, 1, 2}));
}

void TestColumnDrag::dropReorders_data() {
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("target");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<Order>("expected");
    QTest::newRow("Counter onto the left half of Popularity") << 2 << 0 << 0.25 << Order{2, 0, 1};
    QTest::newRow("Popularity onto the right half of Counter") << 0 << 2 << 0.75 << Order{1, 2, 0};
    QTest::newRow("Similar Keywords onto the right half of Counter")
        << 1 << 2 << 0.75 << Order{0, 2, 1};
    QTest::newRow("Popularity onto the left half of Counter") << 0 << 2 << 0.25 << Order{1, 0, 2};
}

void TestColumnDrag::dropReorders() {
    QFETCH(int, dragged);
    QFETCH(int, target);
    QFETCH(double, fraction);
    QFETCH(Order, expected);
    QSignalSpy clicks(m_header, &QHeaderView::sectionClicked);
    DragTo(dragged, SectionPoint(*m_header, target, fraction));
    Release(m_last);
    QCOMPARE(DisplayOrder(*m_header), expected);
    QCOMPARE(clicks.count(), 0);
}

void TestColumnDrag::dropPositionWhileDragging_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("position");
    // Similar Keywords (displayed second) is dragged.
    QTest::newRow("own left half") << 1 << 0.25 << 0 << -1;
    QTest::newRow("own right half") << 1 << 0.75 << 0 << -1;
    QTest::newRow("right half of the left neighbour") << 0 << 0.75 << 0 << -1;
    QTest::newRow("left half of the right neighbour") << 2 << 0.25 << 0 << -1;
    QTest::newRow("left half of the left neighbour") << 0 << 0.25 << 0 << 0;
    QTest::newRow("right half of the right neighbour") << 2 << 0.75 << 0 << 3;
    QTest::newRow("right of every item") << 2 << 1.5 << 0 << -1;
    QTest::newRow("below the header") << 0 << 0.25 << 200 << -1;
}

void TestColumnDrag::dropPositionWhileDragging() {
    QFETCH(int, target);
    QFETCH(double, fraction);
    QFETCH(int, dy);
    QFETCH(int, position);
    // Start with a marker showing, so that losing it is seen too.
    DragTo(Keyword, SectionPoint(*m_header, Popularity, 0.1));
    QCOMPARE(m_header->DropPosition(), 0);
    MoveTo(SectionPoint(*m_header, target, fraction) + QPoint(0, dy));
    QCOMPARE(m_header->DropPosition(), position);
    Release(m_last);
    const Order unchanged{0, 1, 2};
    QCOMPARE(DisplayOrder(*m_header) == unchanged, position == -1);
}

void TestColumnDrag::dropMarkerPainted_data() {
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("target");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("markerX");
    const int end = 70 + 184 + 70;
    QTest::newRow("in front of the first item") << 2 << 0 << 0.25 << -1;
    QTest::newRow("in front of the middle item") << 2 << 1 << 0.25 << 69;
    QTest::newRow("behind the last item") << 0 << 2 << 0.75 << end;
}

void TestColumnDrag::dropMarkerPainted() {
    QFETCH(int, dragged);
    QFETCH(int, target);
    QFETCH(double, fraction);
    QFETCH(int, markerX);
    DragTo(dragged, SectionPoint(*m_header, target, fraction));
    QCOMPARE(m_header->DropMarkerX(m_header->DropPosition()), markerX);
    const QImage image = Snapshot(*m_header);
    const QColor red(255, 0, 0);
    const int x = markerX + 1;
    QCOMPARE(Pixel(image, x, 1), red);                   // tip of the upper triangle
    QCOMPARE(Pixel(image, x, image.height() - 2), red);  // base of the lower one
    QVERIFY(Pixel(image, x, image.height() / 2) != red); // nothing in between
    QVERIFY(Pixel(image, x + 8, image.height() - 2) != red);
    Release(m_last);
    const QImage after = Snapshot(*m_header);
    for (int y = 0; y < after.height(); ++y)
        for (int px = 0; px < after.width(); ++px)
            QVERIFY(Pixel(after, px, y) != red);
}

void TestColumnDrag::pictureHiddenUntilFirstMoveThenCentred() {
    Press(Keyword);
    const QPoint start = m_last + QPoint(QApplication::startDragDistance(), 0);
    MoveTo(start);
    CHeaderDragWnd* picture = m_header->DragWnd();
    QVERIFY(picture);
    QCOMPARE(picture->objectName(), QStringLiteral("MFCFHDragWnd"));
    QVERIFY(picture->isWindow());
    QVERIFY(!picture->isVisible());
    QRect item = m_header->ItemRect(1);
    item.moveTopLeft(m_header->viewport()->mapToGlobal(item.topLeft()));
    QCOMPARE(picture->geometry(), item);

    const QPoint target = SectionPoint(*m_header, Counter, 0.8);
    MoveTo(target);
    QVERIFY(picture->isVisible());
    const QPoint cursor = m_header->viewport()->mapToGlobal(target);
    QCOMPARE(picture->pos(), cursor - QPoint(picture->width() >> 1, picture->height() >> 1));
    QCOMPARE(picture->size(), item.size());
    QVERIFY(picture->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(picture->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(picture->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(!picture->hasFocus());
    Release(m_last);
}

void TestColumnDrag::pictureShowsItemWithArrow() {
    m_header->SetSortColumn(0, false);
    DragTo(Popularity, SectionPoint(*m_header, Counter, 0.75));
    const QImage image = m_header->DragWnd()->grab().toImage();
    const int w = image.width();
    const int h = image.height();
    QCOMPARE(Pixel(image, 0, 0), kLight);
    QCOMPARE(Pixel(image, 0, h - 2), kLight);
    QCOMPARE(Pixel(image, w - 1, 0), kShadow);
    QCOMPARE(Pixel(image, w - 1, h - 1), kShadow);
    QCOMPARE(Pixel(image, 3, h - 1), kShadow);
    // The pressed heading is inverted in the header, never in its picture.
    QCOMPARE(Pixel(image, w - 4, h / 2), kFace);
    QCOMPARE(Pixel(Snapshot(*m_header), SectionRight(*m_header, Popularity) - 4, h / 2),
             Inverted(kFace));

    const int spacing = m_header->Spacing();
    const int room = w - 2 * spacing - m_header->ArrowWidth() - spacing;
    const int text = std::min(m_header->fontMetrics().horizontalAdvance("Popularity"), room);
    const QPoint corner(spacing + text + spacing, headergeom::ArrowBoxTop(0, h, 8));
    const headergeom::ArrowPixels arrow = headergeom::SortArrowPixels(corner, 8, 8, false);
    for (const QPoint& p : arrow.light)
        QCOMPARE(Pixel(image, p.x(), p.y()), kLight);
    for (const QPoint& p : arrow.shadow)
        QCOMPARE(Pixel(image, p.x(), p.y()), kShadow);
    Release(m_last);
}

void TestColumnDrag::escapeDoesNotEndDrag() {
    DragTo(Counter, SectionPoint(*m_header, Popularity, 0.25));
    QTest::keyClick(m_header, Qt::Key_Escape);
    QTest::keyClick(m_list.get(), Qt::Key_Escape);
    QVERIFY(m_header->IsDragging());
    QCOMPARE(m_header->DropPosition(), 0);
    QVERIFY(m_header->DragWnd());
    Release(m_last);
    QCOMPARE(DisplayOrder(*m_header), (Order{2, 0, 1}));
}

void TestColumnDrag::refusals_data() {
    QTest::addColumn<bool>("refuseBegin");
    QTest::addColumn<bool>("refuseEnd");
    QTest::newRow("start refused") << true << false;
    QTest::newRow("end refused") << false << true;
}

void TestColumnDrag::refusals() {
    QFETCH(bool, refuseBegin);
    QFETCH(bool, refuseEnd);
    connect(m_header, &CFlatHeaderCtrl::DragBeginning, m_header,
            [refuseBegin](int, bool* refuse) { *refuse = refuseBegin; });
    connect(m_header, &CFlatHeaderCtrl::DragEnding, m_header,
            [refuseEnd](int, bool* refuse) { *refuse = refuseEnd; });
    QSignalSpy ends(m_header, &CFlatHeaderCtrl::DragEnding);
    DragTo(Counter, SectionPoint(*m_header, Popularity, 0.25));
    // A refused start still counts as a drag, but one that picks no drop position.
    QCOMPARE(m_header->DragWnd() == nullptr, refuseBegin);
    QCOMPARE(m_header->DropPosition(), refuseBegin ? -1 : 0);
    Release(m_last);
    QCOMPARE(ends.count(), 1);
    QCOMPARE(ends.first().at(0).toInt(), 2);
    QVERIFY(!m_header->IsDragging());
    QVERIFY(!m_header->DragWnd());
    QCOMPARE(DisplayOrder(*m_header), (Order{0, 1, 2}));
}

void TestColumnDrag::releaseCleansUp() {
    const QImage before = Snapshot(*m_header);
    DragTo(Keyword, SectionPoint(*m_header, Counter, 0.75));
    QCOMPARE(QWidget::mouseGrabber(), m_header->viewport());
    QPointer<CHeaderDragWnd> picture = m_header->DragWnd();
    QVERIFY(picture);
    Release(m_last);
    QVERIFY(picture.isNull());
    QVERIFY(!QWidget::mouseGrabber());
    QCOMPARE(m_header->DropPosition(), -1);
    QVERIFY(!m_header->IsDragging());
    // Marker and pressed look are gone: the header looks as before, columns swapped.
    const QImage after = Snapshot(*m_header);
    const int h = after.height();
    QCOMPARE(DisplayOrder(*m_header), (Order{0, 2, 1}));
    for (int c = 0; c < 3; ++c)
        QCOMPARE(Pixel(after, SectionRight(*m_header, c) - 4, h / 2), kFace);
    QCOMPARE(after.size(), before.size());
}

void TestColumnDrag::cellFromPointAfterDrag() {
    DragTo(Counter, SectionPoint(*m_header, Popularity, 0.25));
    Release(m_last);
    QCOMPARE(DisplayOrder(*m_header), (Order{2, 0, 1}));
    const int y = m_list->rowViewportPosition(1) + m_list->rowHeight(1) / 2;
    int column = -1;
    QCOMPARE(m_list->CellFromPoint(QPoint(10, y), &column), 1);
    QCOMPARE(column, 2);
    QCOMPARE(m_list->CellFromPoint(QPoint(80, y), &column), 1);
    QCOMPARE(column, 0);
}

void TestColumnDrag::interruptedPressEnds_data() {
    QTest::addColumn<QString>("interruption");
    QTest::addColumn<bool>("dragging");
    for (const char* interruption : {"modal window", "deactivation", "hidden", "release elsewhere",
                                     "move without the button", "grab taken"}) {
        QTest::addRow("%s, pressed", interruption) << QString::fromLatin1(interruption) << false;
        QTest::addRow("%s, dragging", interruption) << QString::fromLatin1(interruption) << true;
    }
}

void TestColumnDrag::interruptedPressEnds() {
    QFETCH(QString, interruption);
    QFETCH(bool, dragging);
    QWidget other;
    other.resize(100, 50);
    other.show();
    QApplication::setActiveWindow(m_list.get());
    QVERIFY(QTest::qWaitForWindowActive(m_list.get()));
    const QImage before = Snapshot(*m_header);

    Press(Counter);
    if (dragging) {
        MoveTo(SectionPoint(*m_header, Popularity, 0.25));
        MoveTo(SectionPoint(*m_header, Popularity, 0.25));
        QVERIFY(m_header->IsDragging());
        QCOMPARE(m_header->DropPosition(), 0);
    }

    QDialog modal;
    if (interruption == "modal window") {
        // A failed search's message box opening under the held button.
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
    } else if (interruption == "deactivation") {
        QApplication::setActiveWindow(&other);
    } else if (interruption == "hidden") {
        m_list->hide();
    } else if (interruption == "release elsewhere") {
        QTest::mouseRelease(&other, Qt::LeftButton, {}, QPoint(5, 5));
    } else if (interruption == "move without the button") {
        QMouseEvent move(QEvent::MouseMove, SectionPoint(*m_header, Keyword, 0.5),
                         m_header->viewport()->mapToGlobal(SectionPoint(*m_header, Keyword, 0.5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_header->viewport(), &move);
    } else if (interruption == "grab taken") {
        other.grabMouse();
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), other.mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&other, &move);
        other.releaseMouse();
    }

    // As after a release outside every item: nothing held, shown or moved.
    QVERIFY(!QWidget::mouseGrabber());
    QVERIFY(!m_header->IsDragging());
    QVERIFY(!m_header->DragWnd());
    QCOMPARE(m_header->DropPosition(), -1);
    QCOMPARE(DisplayOrder(*m_header), (Order{0, 1, 2}));

    // The user lets go somewhere else; then the header works as before.
    QTest::mouseRelease(&other, Qt::LeftButton, {}, QPoint(5, 5));
    modal.hide();
    m_list->show();
    QApplication::setActiveWindow(m_list.get());
    QVERIFY(QTest::qWaitForWindowActive(m_list.get()));
    QCOMPARE(Snapshot(*m_header), before); // no pressed heading
    QSignalSpy clicks(m_header, &QHeaderView::sectionClicked);
    QTest::mouseClick(m_header->viewport(), Qt::LeftButton, {},
                      SectionPoint(*m_header, Keyword, 0.5));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(m_header->GetSortColumn(), 1);
    QCOMPARE(DisplayOrder(*m_header), (Order{0, 1, 2}));
}

QTEST_MAIN(TestColumnDrag)
#include "test_column_drag.moc"
