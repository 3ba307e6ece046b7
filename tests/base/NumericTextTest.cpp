#include "base/NumericText.h"

#include <gtest/gtest.h>

TEST(NumericText, ValueReadsTheNumberAtTheStartOfTheText) {
    const struct {
        const char16_t* text;
        double value;
    } cases[] = {
        {u"", 0},     {u"42", 42},     {u" 5", 5},  {u"12:30", 12}, {u"-3.5x", -3.5},
        {u"+7", 7},   {u"1 2 3", 123}, {u"abc", 0}, {u"12e", 12},   {u"1e3", 1000},
        {u".5", 0.5}, {u"--4", 0},     {u"4-5", 4}, {u"  \t9;", 9}, {u"3.2.1", 3.2},
        {u"0003", 3}, {u"+", 0},       {u"-", 0},   {u"5e-", 5},    {u"99999999999", 99999999999.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NumericText::Value(QString::fromUtf16(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(NumericText, HalvesRoundToTheEvenNeighbour) {
    const struct {
        double value;
        qint64 rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {3.5, 4},    {-0.5, 0},
                 {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {7, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(NumericText::RoundHalfEven(c.value), c.rounded) << c.value;
    EXPECT_EQ(NumericText::WholeValue(u"4.5 players"), 4);
    EXPECT_EQ(NumericText::WholeValue(u"abc"), 0);
}
