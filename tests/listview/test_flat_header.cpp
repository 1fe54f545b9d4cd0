#include "ListFixture.h"
#include "listview/CFlatHeaderCtrl.h"
#include "listview/HeaderGeometry.h"

#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include <algorithm>
#include <set>

using namespace fixture;

namespace {

using PointSet = std::set<std::pair<int, int>>;

PointSet ToSet(const std::vector<QPoint>& points) {
    PointSet set;
    for (const QPoint& p : points)
        set.insert({p.x(), p.y()});
    return set;
}

PointSet Offset(const PointSet& points, QPoint by) {
    PointSet moved;
    for (const auto& [x, y] : points)
        moved.insert({x + by.x(), y + by.y()});
    return moved;
}

// The embossed 8 x 8 arrow, pixel by pixel, relative to its box corner.
const PointSet kAscendingLight{{4, 0}, {4, 1}, {5, 2}, {5, 3}, {6, 4}, {6, 5}, {7, 6},
                               {7, 7}, {6, 7}, {5, 7}, {4, 7}, {3, 7}, {2, 7}, {1, 7}};
const PointSet kAscendingShadow{{3, 0}, {3, 1}, {2, 2}, {2, 3}, {1, 4}, {1, 5}, {0, 6}};
const PointSet kDescendingLight{{4, 7}, {4, 6}, {5, 5}, {5, 4}, {6, 3}, {6, 2}, {7, 1}};
const PointSet kDescendingShadow{{3, 7}, {3, 6}, {2, 5}, {2, 4}, {1, 3}, {1, 2}, {0, 1}, {0, 0},
                                 {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}};

} // namespace

class TestFlatHeader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        SilenceOffscreenLimits();
        QVERIFY(UseReferenceFont());
    }
    void init();
    void cleanup();

    void sortArrowGeometry_data();
    void sortArrowGeometry();
    void sortArrowPainted_data();
    void sortArrowPainted();
    void sortColumnOffScreenShowsNoArrow();
    void dividersAndFrame();
    void emptyHeaderIsPlainFace();
    void pressedLook_data();
    void pressedLook();
    void paletteChangeIsPickedUp();
    void hitTest_data();
    void hitTest();
    void dividerDragResizesColumn();

private:
    std::unique_ptr<CKeywordListCtrl> m_list;
    CFlatHeaderCtrl* m_header = nullptr;
};

void TestFlatHeader::init() {
    m_list = MakeShownList(3);
    QVERIFY(m_list);
    m_header = m_list->HeaderCtrl();
}

void TestFlatHeader::cleanup() {
    m_header = nullptr;
    m_list.reset();
}

void TestFlatHeader::sortArrowGeometry_data() {
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<PointSet>("light");
    QTest::addColumn<PointSet>("shadow");
    QTest::newRow("ascending") << true << kAscendingLight << kAscendingShadow;
    QTest::newRow("descending") << false << kDescendingLight << kDescendingShadow;
}

void TestFlatHeader::sortArrowGeometry() {
    QFETCH(bool, ascending);
    QFETCH(PointSet, light);
    QFETCH(PointSet, shadow);
    const headergeom::ArrowPixels arrow =
        headergeom::SortArrowPixels(QPoint(10, 20), 8, 8, ascending);
    QCOMPARE(ToSet(arrow.light), Offset(light, {10, 20}));
    QCOMPARE(ToSet(arrow.shadow), Offset(shadow, {10, 20}));
}

void TestFlatHeader::sortArrowPainted_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<bool>("arrowShown");
    QTest::newRow("behind short text, ascending") << 0 << 120 << true << true;
    QTest::newRow("behind short text, descending") << 2 << 120 << false << true;
    QTest::newRow("long text cut for the arrow") << 1 << 60 << true << true;
    QTest::newRow("no room for text, arrow only") << 1 << 20 << false << true;
    QTest::newRow("working area narrower than the arrow") << 1 << 19 << true << false;
}

void TestFlatHeader::sortArrowPainted() {
    QFETCH(int, column);
    QFETCH(int, width);
    QFETCH(bool, ascending);
    QFETCH(bool, arrowShown);
    m_header->resizeSection(column, width);
    m_header->SetSortColumn(column, ascending);
    const QImage image = Snapshot(*m_header);

    const int spacing = m_header->Spacing();
    const int left = m_header->sectionViewportPosition(column) + spacing;
    const int right = SectionRight(*m_header, column) - spacing;
    const int textRoom = right - left - m_header->ArrowWidth() - spacing;
    const QString text = m_header->GetItem(column).text;
    const int textWidth =
        textRoom > 0 ? std::min(m_header->fontMetrics().horizontalAdvance(text), textRoom) : 0;
    const int arrowLeft = textWidth > 0 ? left + textWidth + spacing : left;
    const int arrowTop = headergeom::ArrowBoxTop(0, m_header->viewport()->height(), 8);

    if (!arrowShown) {
        for (int x = left; x < right; ++x)
            for (int y = 2; y < image.height() - 2; ++y)
                QCOMPARE(Pixel(image, x, y), kFace);
        return;
    }
    const PointSet light = ascending ? kAscendingLight : kDescendingLight;
    const PointSet shadow = ascending ? kAscendingShadow : kDescendingShadow;
    for (int dx = 0; dx < 8; ++dx) {
        for (int dy = 0; dy < 8; ++dy) {
            const QColor expected = light.count({dx, dy})    ? kLight
                                    : shadow.count({dx, dy}) ? kShadow
                                                             : kFace;
            QCOMPARE(Pixel(image, arrowLeft + dx, arrowTop + dy), expected);
        }
    }
    // Nothing of the text reaches into the gap in front of the arrow.
    for (int x = left + textWidth; x < arrowLeft; ++x)
        for (int y = 1; y < image.height() - 1; ++y)
            QCOMPARE(Pixel(image, x, y), kFace);
}

void TestFlatHeader::sortColumnOffScreenShowsNoArrow() {
    const QImage unsorted = Snapshot(*m_header);
    m_header->SetSortColumn(0, true);
    QVERIFY(Snapshot(*m_header) != unsorted);
    m_header->SetSortColumn(7, true);
    QCOMPARE(Snapshot(*m_header), unsorted);
    bool ascending = false;
    QCOMPARE(m_header->GetSortColumn(&ascending), 7);
    QVERIFY(ascending);
    m_header->SetSortColumn(0, false);
    m_header->SetSortColumn(-1, false);
    QCOMPARE(Snapshot(*m_header), unsorted);
}

void TestFlatHeader::dividersAndFrame() {
    const QImage image = Snapshot(*m_header);
    const int bottom = image.height() - 1;
    const int mid = image.height() / 2;
    for (int column = 0; column < 2; ++column) {
        const int r = SectionRight(*m_header, column);
        QCOMPARE(Pixel(image, r - 1, 1), kFace);
        QCOMPARE(Pixel(image, r, 1), kFace);
        for (int y = 2; y < image.height() - 2; ++y) {
            QCOMPARE(Pixel(image, r - 1, y), kShadow);
            QCOMPARE(Pixel(image, r, y), kLight);
        }
        QCOMPARE(Pixel(image, r - 1, bottom - 1), kFace);
    }
    const int sum = SectionRight(*m_header, Counter);
    QCOMPARE(sum, 70 + 184 + 70);
    // No divider after the last item; the frame's right edge is the next column.
    QCOMPARE(Pixel(image, sum - 1, mid), kFace);
    for (int y = 0; y <= bottom; ++y)
        QCOMPARE(Pixel(image, sum, y), kShadow);
    QCOMPARE(Pixel(image, sum + 1, mid), kFace);
    QCOMPARE(Pixel(image, sum + 1, 0), kFace);
    QCOMPARE(Pixel(image, image.width() - 1, mid), kFace);
    // Light top and left edges, dark bottom edge.
    QCOMPARE(Pixel(image, 0, 0), kLight);
    QCOMPARE(Pixel(image, sum - 1, 0), kLight);
    QCOMPARE(Pixel(image, 0, mid), kLight);
    QCOMPARE(Pixel(image, 0, bottom), kShadow);
    QCOMPARE(Pixel(image, sum / 2, bottom), kShadow);
}

void TestFlatHeader::emptyHeaderIsPlainFace() {
    QStandardItemModel model(0, 0);
    CFlatHeaderCtrl header;
    ApplyHeaderColors(header);
    header.setModel(&model);
    header.resize(200, 24);
    header.show();
    QVERIFY(QTest::qWaitForWindowExposed(&header));
    const QImage image = Snapshot(header);
    QVERIFY(!image.isNull());
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            QCOMPARE(Pixel(image, x, y), kFace);
}

void TestFlatHeader::pressedLook_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("invertedColumn");
    QTest::newRow("face of the middle item") << 1 << 0.5 << 1;
    QTest::newRow("face of the first item") << 0 << 0.5 << 0;
    QTest::newRow("divider, right end of the first item") << 0 << 0.99 << -1;
}

void TestFlatHeader::pressedLook() {
    QFETCH(int, column);
    QFETCH(double, fraction);
    QFETCH(int, invertedColumn);
    auto faceSample = [this](const QImage& image, int c) {
        // Right of the text's clip, left of the divider: always plain face when not pressed.
        return Pixel(image, SectionRight(*m_header, c) - 4, image.height() / 2);
    };
    const QPoint point = SectionPoint(*m_header, column, fraction);
    QTest::mousePress(m_header->viewport(), Qt::LeftButton, {}, point);
    const QImage pressed = Snapshot(*m_header);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(faceSample(pressed, c), c == invertedColumn ? Inverted(kFace) : kFace);
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, point);
    const QImage released = Snapshot(*m_header);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(faceSample(released, c), kFace);
}

void TestFlatHeader::paletteChangeIsPickedUp() {
    const QColor face(180, 210, 240);
    const QColor light(250, 250, 200);
    const QColor shadow(20, 40, 90);
    QPalette pal = m_header->palette();
    pal.setColor(QPalette::Button, face);
    pal.setColor(QPalette::Light, light);
    pal.setColor(QPalette::Dark, shadow);
    m_header->setPalette(pal);
    QCOMPARE(m_header->FaceColor(), face);
    const QImage image = Snapshot(*m_header);
    const int r = SectionRight(*m_header, Popularity);
    QCOMPARE(Pixel(image, r - 4, image.height() / 2), face);
    QCOMPARE(Pixel(image, r - 1, image.height() / 2), shadow);
    QCOMPARE(Pixel(image, r, image.height() / 2), light);
}

void TestFlatHeader::hitTest_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("item");
    const int onHeader = static_cast<int>(CFlatHeaderCtrl::HitArea::OnHeader);
    const int onDivider = static_cast<int>(CFlatHeaderCtrl::HitArea::OnDivider);
    const int nowhere = static_cast<int>(CFlatHeaderCtrl::HitArea::Nowhere);
    QTest::newRow("middle of an item") << 1 << 0.5 << 0 << onHeader << 1;
    QTest::newRow("left end of the first item") << 0 << 0.0 << 0 << onHeader << 0;
    QTest::newRow("right end of an item") << 0 << 0.99 << 0 << onDivider << 0;
    QTest::newRow("left end of the next item") << 1 << 0.0 << 0 << onDivider << 0;
    QTest::newRow("right end of the last item") << 2 << 0.99 << 0 << onDivider << 2;
    QTest::newRow("right of every item") << 2 << 1.5 << 0 << nowhere << -1;
    QTest::newRow("below the header") << 1 << 0.5 << 100 << nowhere << -1;
}

void TestFlatHeader::hitTest() {
    QFETCH(int, column);
    QFETCH(double, fraction);
    QFETCH(int, dy);
    QFETCH(int, area);
    QFETCH(int, item);
    const CFlatHeaderCtrl::HitTestInfo hit =
        m_header->HitTest(SectionPoint(*m_header, column, fraction) + QPoint(0, dy));
    QCOMPARE(static_cast<int>(hit.area), area);
    QCOMPARE(hit.item, item);
}

void TestFlatHeader::dividerDragResizesColumn() {
    QSignalSpy clicks(m_header, &QHeaderView::sectionClicked);
    const QPoint start(SectionRight(*m_header, Popularity) - 1, m_header->viewport()->height() / 2);
    const QPoint end = start + QPoint(30, 0);
    QTest::mousePress(m_header->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(m_header->viewport(), start + QPoint(15, 0));
    QTest::mouseMove(m_header->viewport(), end);
    QVERIFY(!m_header->IsDragging());
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, end);
    QCOMPARE(m_header->sectionSize(0), 100);
    QCOMPARE(DisplayOrder(*m_header), (std::vector<int>{0, 1, 2}));
    QCOMPARE(clicks.count(), 0);
}

QTEST_MAIN(TestFlatHeader)
#include "test_flat_header.moc"
