#pragma once

#include <QString>

// What a screen reader says about a cell of a correspondence table besides
// its text: which column an x value stands in, and which x a y value
// belongs to. position is 0 to 4, left to right; xText is the x cell's text.
QString xCellDescription(int position);
QString yCellDescription(int position, const QString &xText);
