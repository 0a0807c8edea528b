#pragma once

#include <cstdint>

#include <QString>
#include <QStringList>

#include "navigation/gemeinsam/ShortCut.h"

// Small text helpers of the navigation set.
namespace nav {

// Decimal text, right-aligned to width when width > 0.
QString IntToStrWidth(int value, int width);
QString FirstNonEmpty(const QString &a, const QString &b);
// Parts of a ";"-separated field list; empty parts dropped, upper-cased when asked.
QStringList SplitFieldList(const QString &text, bool upper);
// A key word: the value in the low 13 bits, bits 13/14/15 as Shift/Ctrl/Alt.
void DecodeFlagWord(std::uint16_t word, int &value, TShiftState &flags);
// The two texts of a logical field's DisplayValues "true;false"; empty gives "Falsch"/"Wahr".
void BooleanTexts(const QString &displayValues, QString &falseText, QString &trueText);

} // namespace nav
