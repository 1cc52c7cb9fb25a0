#include "spots/band_map.h"
#include "spots/spot_store.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace spots;

namespace {

const QDateTime Now(QDate(2021, 10, 2), QTime(10, 30, 0));

std::array<QString, 5> captions(const QString& band, const SpotStore& store)
{
    return SetBandMapScale(band, store).captions;
}

std::array<QString, 5> five(const char* a, const char* b, const char* c, const char* d, const char* e)
{
    return {QString::fromLatin1(a), QString::fromLatin1(b), QString::fromLatin1(c), QString::fromLatin1(d),
            QString::fromLatin1(e)};
}

std::vector<SpotLabelPlacement> place(const SpotStore& store, const QString& band, double utcOffset = 0)
{
    const auto c = captions(band, store);
    const BandMapGeometry g{1000, 9000, 6000, 7200};
    return placeSpotLabels(store, edgesFromCaptions(c[0], c[4]), g, QSizeF(600, 255), Now, utcOffset);
}

}  // namespace

TEST(BandMapScale, FullBandWithoutSpots)
{
    const SpotStore empty;
    EXPECT_EQ(captions(QStringLiteral("40"), empty), five("7.000", "7.075", "7.150", "7.225", "7.300"));
    EXPECT_EQ(captions(QStringLiteral("160"), empty), five("1.800", "1.850", "1.900", "1.950", "2.000"));
    EXPECT_EQ(captions(QStringLiteral("440"), empty), five("420.000", "427.500", "435.000", "442.500", "450.000"));
    EXPECT_EQ(captions(QStringLiteral("17"), empty), five(".000", ".000", ".000", ".000", ".000"));
}

TEST(BandMapScale, ZoomsToTheSpotsAndCentresTheirLabels)
{
    SpotStore store;
    store.store(QStringLiteral("DL1ABC"), 14.011f, Now);
    store.store(QStringLiteral("JA1XYZ"), 14.049f, Now);
    store.store(QStringLiteral("G3AAA"), 7.020f, Now);  // another band: no effect
    EXPECT_EQ(captions(QStringLiteral("20"), store), five("14.010", "14.020", "14.030", "14.040", "14.050"));
    const auto labels = place(store, QStringLiteral("20"));
    ASSERT_EQ(labels.size(), 2u);
    // Newest first; 2.5 % of the line's 8,000 twips in from each end.
    EXPECT_EQ(labels[0].slot, 48);
    EXPECT_NEAR(labels[0].left + 300, 9000 - 200, 1);
    EXPECT_NEAR(labels[1].left + 300, 1000 + 200, 1);
    EXPECT_NEAR(labels[0].top, 6000 - 255 - 0.004 * 7200, 1e-9);
    EXPECT_EQ(labels[0].caption, QStringLiteral("JA1"));
}

TEST(BandMapScale, OneFrequencyOrABandEdgeKeepsTheWholeBand)
{
    SpotStore store;
    store.store(QStringLiteral("DL1ABC"), 14.025f, Now);
    store.store(QStringLiteral("DL2ABC"), 14.025f, Now);
    EXPECT_EQ(captions(QStringLiteral("20"), store), five("14.000", "14.088", "14.175", "14.262", "14.350"));
    SpotStore edge;
    edge.store(QStringLiteral("K1A"), 14.000f, Now);
    edge.store(QStringLiteral("K2A"), 14.100f, Now);
    EXPECT_EQ(captions(QStringLiteral("20"), edge).front(), QStringLiteral("14.000"));
    EXPECT_EQ(place(edge, QStringLiteral("20")).size(), 1u);
}

TEST(BandMapScale, SlotZeroIsShownOnlyInsideTheZoom)
{
    SpotStore store;
    store.store(QStringLiteral("OLD1A"), 14.300f, Now);
    for (int i = 0; i < 49; ++i)
        store.store(QStringLiteral("K%1A").arg(i), i % 2 ? 14.020f : 14.030f, Now);
    ASSERT_EQ(store.slot(0).SpotCall, QStringLiteral("OLD1A"));
    for (const auto& p : place(store, QStringLiteral("20")))
        EXPECT_NE(p.slot, 0);
}

TEST(BandMapLabels, AgeColoursAndTheHourLimit)
{
    SpotStore store;
    store.store(QStringLiteral("OLD1"), 14.010f, Now.addSecs(-3600));
    store.store(QStringLiteral("GRAY1"), 14.020f, Now.addSecs(-1800));
    store.store(QStringLiteral("WHITE1"), 14.030f, Now.addSecs(-600));
    store.store(QStringLiteral("YELLOW1"), 14.040f, Now.addSecs(-599));
    store.store(QStringLiteral("OTHER1"), 7.010f, Now.addSecs(-7200));  // old, other band
    store.store(QStringLiteral("NEW1"), 14.050f, Now);
    const auto labels = place(store, QStringLiteral("20"));
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].color, QColor(255, 255, 128));
    EXPECT_EQ(labels[1].color, QColor(255, 255, 128));
    EXPECT_EQ(labels[2].color, QColor(255, 255, 255));
    EXPECT_EQ(labels[3].color, QColor(192, 192, 192));

    // An hour-old spot in the band ends the drawing: older ones stay hidden.
    SpotStore blocked;
    blocked.store(QStringLiteral("OLDER"), 14.020f, Now.addSecs(-100));
    blocked.store(QStringLiteral("HOUR"), 14.030f, Now.addSecs(-3600));
    blocked.store(QStringLiteral("FRESH"), 14.040f, Now);
    const auto shown = place(blocked, QStringLiteral("20"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("FRESH"));
}

TEST(BandMapLabels, TooltipShowsCallFrequencyAndUtc)
{
    SpotStore store;
    store.store(QStringLiteral("JA1ABC"), 14.025f, QDateTime(QDate(2021, 10, 2), QTime(10, 4, 31)));
    const auto labels = placeSpotLabels(store, {14.0f, 14.35f}, {0, 8000, 5000, 7200}, QSizeF(600, 255),
                                        QDateTime(QDate(2021, 10, 2), QTime(10, 5, 0)), 8);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].tooltip, QStringLiteral("JA1ABC  14.025  18:04:31"));
}

TEST(BandMapScale, FrequencyFormat)
{
    EXPECT_EQ(formatScaleFrequency(0), QStringLiteral(".000"));
    EXPECT_EQ(formatScaleFrequency(0.5), QStringLiteral(".500"));
    EXPECT_EQ(formatScaleFrequency(14.0109997), QStringLiteral("14.011"));
    EXPECT_EQ(formatScaleFrequency(10368.1), QStringLiteral("10368.100"));
    const ScaleEdges e = edgesFromCaptions(QStringLiteral("14.010"), QStringLiteral(".000"));
    EXPECT_FLOAT_EQ(e.low, 14.01f);
    EXPECT_FLOAT_EQ(e.high, 0.0f);
}
