// The spectrum map's numbers: eleven scales with their zoom and tick
// captions, and which spot labels stand where.

#include "spots/band_scales.h"
#include "spots/spot_store.h"

#include <gtest/gtest.h>

using namespace spots;

namespace {

const QDateTime Now(QDate(2021, 10, 2), QTime(13, 30, 0), Qt::OffsetFromUTC, -7 * 3600);

QDateTime ago(int seconds) { return Now.addSecs(-seconds); }

/// Lines 8,000 twips long from x = 1000, one every 600 twips from y = 400.
SpectrumGeometry geometry()
{
    SpectrumGeometry g;
    for (int b = 0; b < SpectrumBandCount; ++b)
        g.lines[static_cast<std::size_t>(b)] = {1000, 9000, 400 + 600.0 * b};
    g.windowHeight = 7200;
    g.tickLabelWidth = 600;
    g.spotLabelSize = QSizeF(600, 180);
    return g;
}

QStringList captionsOf(const SpectrumScales& s, int band)
{
    QStringList c;
    for (int i = 0; i < TicksPerBand; ++i)
        c << s.ticks[static_cast<std::size_t>(TicksPerBand * band + i)].caption;
    return c;
}

QStringList captions(const SpotStore& store, int band) { return captionsOf(LayoutBandScales(store, geometry()), band); }

QStringList list(std::initializer_list<const char*> texts)
{
    QStringList l;
    for (const char* t : texts)
        l << QString::fromLatin1(t);
    return l;
}

std::vector<SpotLabelPlacement> place(const SpotStore& store, double utcOffset = 0)
{
    const SpectrumGeometry g = geometry();
    return placeSpectrumSpots(store, LayoutBandScales(store, g), g, Now, utcOffset);
}

void add(SpotStore& store, const char* call, float mhz, const QDateTime& when = Now)
{
    store.store(QString::fromLatin1(call), mhz, when);
}

}  // namespace

TEST(SpectrumScales, AnEmptyStoreShowsEveryBandsDefaultCaptions)
{
    const SpotStore empty;
    const char* const expected[SpectrumBandCount][5] = {
        {"1.800", "1.850", "1.900", "1.950", "2.000"},
        {"3.500", "3.625", "3.750", "3.875", "4.000"},
        {"7.000", "7.075", "7.150", "7.225", "7.300"},
        {"10.100", "10.113", "10.125", "10.137", "10.150"},
        {"14.000", "14.088", "14.175", "14.263", "14.350"},
        {"18.068", "18.093", "18.118", "18.143", "18.168"},
        {"21.000", "21.113", "21.225", "21.338", "21.450"},
        {"24.890", "24.915", "24.940", "24.965", "24.990"},
        {"28.000", "28.425", "28.850", "29.275", "29.700"},
        {"50.000", "51.000", "52.000", "53.000", "54.000"},
        {"144.000", "145.000", "146.000", "147.000", "148.000"},
    };
    const SpectrumScales s = LayoutBandScales(empty, geometry());
    for (int b = 0; b < SpectrumBandCount; ++b) {
        QStringList want;
        for (const char* c : expected[b])
            want << QString::fromLatin1(c);
        EXPECT_EQ(captionsOf(s, b), want) << "band " << b;
    }
    // Each caption is centred under its quarter of the line, just below it.
    const SpectrumTick& mid = s.ticks[TicksPerBand * 4 + 2];
    EXPECT_DOUBLE_EQ(mid.left + 300, 5000);
    EXPECT_DOUBLE_EQ(mid.top, 400 + 600 * 4 + 0.004 * 7200);
    EXPECT_DOUBLE_EQ(s.ticks[TicksPerBand * 4 + 4].left + 300, 9000);
}

TEST(SpectrumScales, ZoomFollowsTheSpotsOfSlotsOneToFortyNine)
{
    struct Case {
        const char* what;
        std::vector<float> spots;  // stored oldest first; the first lands in slot 50 - n
        int band;
        QStringList expected;
    };
    const QStringList full40 = list({"7.000", "7.075", "7.150", "7.225", "7.300"});
    const QStringList full20 = list({"14.000", "14.088", "14.175", "14.263", "14.350"});
    const Case cases[] = {
        {"a single spot", {7.025f}, 2, full40},
        {"two spots", {7.010f, 7.020f}, 2, list({"7.009", "7.012", "7.015", "7.018", "7.021"})},
        {"one frequency twice", {7.025f, 7.025f}, 2, full40},
        {"band edges", {14.000f, 14.350f, 14.1f}, 4, full20},
        {"other bands, 60 m, 4 m, 70 cm", {5.357f, 70.0f, 432.0f, 7.01f}, 4, full20},
        {"two spots on 20 m", {14.011f, 14.049f}, 4, list({"14.010", "14.020", "14.030", "14.040", "14.050"})},
    };
    for (const Case& c : cases) {
        SpotStore store;
        int n = 0;
        for (float f : c.spots)
            store.store(QStringLiteral("C%1").arg(n++), f, Now);
        EXPECT_EQ(captions(store, c.band), c.expected) << c.what;
    }
}

TEST(SpectrumScales, SlotZeroDeletedAndAgedSpots)
{
    SpotStore store;
    // Slot 0: a 40 m spot far below the others.
    add(store, "OLD0", 7.001f);
    for (int i = 1; i < 48; ++i)
        add(store, "X", 0.5f);  // outside every band: no part in the zoom
    add(store, "G3AAA", 7.010f);
    add(store, "G3BBB", 7.020f);
    ASSERT_EQ(store.slot(0).SpotCall, QStringLiteral("OLD0"));
    EXPECT_EQ(captions(store, 2), list({"7.009", "7.012", "7.015", "7.018", "7.021"}));

    // Deleting one of the two ends the zoom at the next pass.
    store.deleteSpot(49);
    EXPECT_EQ(captions(store, 2), list({"7.000", "7.075", "7.150", "7.225", "7.300"}));

    // Spots two hours old still shape the zoom, though neither is shown.
    SpotStore aged;
    add(aged, "DL1AA", 14.011f, ago(7200));
    add(aged, "DL2BB", 14.049f, ago(7200));
    EXPECT_EQ(captions(aged, 4), list({"14.010", "14.020", "14.030", "14.040", "14.050"}));
    EXPECT_TRUE(place(aged).empty());
}

TEST(SpectrumSpots, LabelsStandOnTheirBandNewestFirst)
{
    SpotStore store;
    add(store, "DL1AA", 14.011f);
    add(store, "JA1XYZ", 14.049f);
    add(store, "G3AAA", 7.025f);
    add(store, "EDGE1", 14.000f);  // on the band edge: never shown
    const auto labels = place(store);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].slot, 48);
    EXPECT_EQ(labels[0].caption, QStringLiteral("G3"));
    // A lone 40 m spot on the full scale: 25/300 of the line in.
    EXPECT_NEAR(labels[0].left + 300, 1000 + 8000 * 25.0 / 300, 0.05);
    EXPECT_DOUBLE_EQ(labels[0].top, 400 + 600 * 2 - 180);
    // The two 20 m spots on their zoomed scale, 2.5 % in from its ends.
    EXPECT_EQ(labels[1].slot, 47);
    EXPECT_NEAR(labels[1].left + 300, 9000 - 200, 0.5);
    EXPECT_NEAR(labels[2].left + 300, 1000 + 200, 0.5);
    EXPECT_DOUBLE_EQ(labels[2].top, 400 + 600 * 4 - 180);
}

TEST(SpectrumSpots, TheFirstOldSlotEndsTheWalkWhateverItsFrequency)
{
    // Three spots in slots 47 to 49, never-filled slots below: all three show.
    SpotStore three;
    add(three, "DL1AA", 14.1f);
    add(three, "DL2BB", 21.1f);
    add(three, "DL3CC", 28.1f);
    EXPECT_EQ(place(three).size(), 3u);

    // An hour-old spot outside every band, or a deleted one, ends the walk
    // above a young spot that would otherwise show.
    for (bool deleted : {false, true}) {
        SpotStore store;
        add(store, "YOUNG", 14.1f, ago(10));
        add(store, "STALE", deleted ? 14.2f : 5.357f, ago(3600));
        if (deleted)
            store.deleteSpot(49);
        EXPECT_TRUE(place(store).empty()) << deleted;
    }
}

TEST(SpectrumSpots, AgeColoursAndTheUtcTooltip)
{
    struct Case {
        int age;
        QColor color;  // invalid: hidden
    };
    const QColor yellow(255, 255, 128), white(255, 255, 255), silver(192, 192, 192);
    const Case cases[] = {{-5, yellow}, {599, yellow}, {600, white}, {1799, white},
                          {1800, silver}, {3599, silver}, {3600, QColor()}};
    for (const Case& c : cases) {
        SpotStore store;
        add(store, "K1ABC", 14.025f, ago(c.age));
        const auto labels = place(store);
        if (!c.color.isValid()) {
            EXPECT_TRUE(labels.empty()) << c.age;
            continue;
        }
        ASSERT_EQ(labels.size(), 1u) << c.age;
        EXPECT_EQ(labels[0].color, c.color) << c.age;
    }

    SpotStore store;
    add(store, "K1ABC", 14.025f, QDateTime(QDate(2021, 10, 2), QTime(13, 0, 0), Qt::OffsetFromUTC, -7 * 3600));
    const auto labels = place(store, 8);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].tooltip, QStringLiteral("K1ABC  14.025  21:00:00"));
}

TEST(SpectrumSpots, SlotZeroOutsideTheZoomStandsBeyondTheLine)
{
    SpotStore store;
    add(store, "LOW0", 7.001f);
    for (int i = 1; i < 48; ++i)
        add(store, "X", 0.5f);
    add(store, "G3AAA", 7.010f);
    add(store, "G3BBB", 7.020f);
    const auto labels = place(store);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[2].slot, 0);
    // (7.001 - 7.009) / 0.012 of the line: left of X1.
    EXPECT_NEAR(labels[2].left + 300, 1000 + (7.001 - 7.009) / 0.012 * 8000, 1);
    EXPECT_LT(labels[2].left + 300, 1000);
}
