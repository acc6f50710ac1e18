// Thousands of random presses, drags and releases on a timeline with a few
// segments; after every event the boxes must still be a valid partition of
// the strip and every report must describe a valid segment.
#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QTimeItem.h"
#include "TimelineDriver.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

namespace {

std::string describe(const QTimeContainer &c)
{
    std::string out;
    for (const QTimeItem *b : c.items())
        out += "[" + std::to_string(b->x()) + "," + std::to_string(b->rightEdge()) + "] ";
    return out;
}

} // namespace

TEST(TimelineProperty, RandomMouseWorkKeepsSegmentsValid)
{
    const unsigned seed = 20261209;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);

    QSimpleTimeLine line;
    line.resize(520, 180);
    line.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&line));
    QTimeContainer *c = line.container();
    const int W = c->width();
    // Boxes of several widths, two of them the narrowest allowed.
    const int layout[][2] = {{0, 60}, {70, 3}, {80, 120}, {200, 4}, {260, 150}, {450, 50}};
    for (const auto &b : layout)
        line.addTrimTime(TimeItemInfo{float(b[0]) / W, float(b[0] + b[1]) / W, float(b[1]) / W, 0, 0});
    line.selectIndex(2);

    timelinetest::Mouse mouse(&line);
    QSignalSpy infos(&line, &QSimpleTimeLine::emitTimeItemInfoChange);
    const int midY = 38 + c->height() / 2;
    auto randomX = [&]() {
        // Most presses near an edge, where the interesting things happen.
        std::uniform_int_distribution<int> pick(0, int(c->items().size()) - 1);
        const QTimeItem *b = c->items().at(pick(rng));
        switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
        case 0:
            return 10 + b->x() + std::uniform_int_distribution<int>(-1, 2)(rng);
        case 1:
            return 10 + b->rightEdge() + std::uniform_int_distribution<int>(-2, 1)(rng);
        case 2:
            return 10 + b->x() + b->width() / 2;
        default:
            return std::uniform_int_distribution<int>(-40, line.width() + 40)(rng);
        }
    };

    bool held = false;
    int checkedReports = 0;
    for (int step = 0; step < 4000; ++step) {
        const int action = std::uniform_int_distribution<int>(0, 9)(rng);
        if (!held && action < 3) {
            mouse.press(QPoint(qBound(0, randomX(), line.width() - 1), midY));
            held = true;
        } else if (held && action == 3) {
            mouse.release(QPoint(randomX(), midY));
            held = false;
        } else if (held && action == 4 && c->pressTimerObject().isActive()) {
            // The hold time elapsing, without waiting for it.
            QMetaObject::invokeMethod(c, "pressTimer");
        } else {
            const int dx = std::uniform_int_distribution<int>(-80, 80)(rng);
            const int x = mouse.grabber() ? mouse.grabber()->mapTo(&line, QPoint(0, 0)).x() + dx : randomX();
            mouse.move(QPoint(x, midY + std::uniform_int_distribution<int>(-5, 5)(rng)));
        }

        const auto &items = c->items();
        for (int i = 0; i < items.size(); ++i) {
            const QTimeItem *b = items[i];
            ASSERT_GE(b->width(), 3) << "step " << step << ": " << describe(*c);
            ASSERT_GE(b->x(), 0) << "step " << step << ": " << describe(*c);
            ASSERT_LE(b->rightEdge(), W - 1) << "step " << step << ": " << describe(*c);
            if (i + 1 < items.size()) {
                ASSERT_LT(b->rightEdge(), items[i + 1]->x()) << "step " << step << ": " << describe(*c);
            }
        }
        for (; checkedReports < infos.count(); ++checkedReports) {
            const TimeItemInfo info = infos.at(checkedReports).at(0).value<TimeItemInfo>();
            ASSERT_LE(info.minStart, info.startPos) << "step " << step;
            ASSERT_LT(info.startPos, info.endPos) << "step " << step;
            ASSERT_LE(info.endPos, info.maxEnd) << "step " << step;
            ASSERT_NEAR(info.length, info.endPos - info.startPos, 1e-5) << "step " << step;
            const int index = infos.at(checkedReports).at(1).toInt();
            ASSERT_GE(index, 0);
            ASSERT_LT(index, items.size());
        }
    }
    // The walk must actually have edited segments, not just clicked around.
    EXPECT_GT(infos.count(), 200);
}
