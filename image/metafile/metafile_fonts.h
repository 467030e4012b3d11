#pragma once
// Fonts of text records: which installed families stand in for a Windows face
// name, and how the logical font's height and width become pixel sizes.
// Japanese text must always find glyphs, so every family list ends with the
// installed Japanese fonts.

#include "image/metafile/metafile_gdi_objects.h"
#include "image/metafile/metafile_mapping.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace qb::wmf {

// A face name reduced for comparison: no case, no spaces, full-width Latin
// letters made plain, so "ＭＳ Ｐゴシック" becomes "mspゴシック" and
// "MS PGothic" becomes "mspgothic".
QString FoldFaceName(const QString& face);

// The families to ask for, most wanted first.
QStringList FontFamiliesFor(const MetaFont& font);

// The em height in device pixels. A negative logical height is the character
// height, a positive one the cell height (character plus internal leading),
// converted with emPerCell; 0 asks for the default 16-pixel cell.
double EmPixels(int logicalHeight, double deviceScaleY, double emPerCell);

// The font for drawing with the given mapping. Needs a QGuiApplication.
QFont BuildFont(const MetaFont& font, const Mapping& mapping);

}  // namespace qb::wmf
