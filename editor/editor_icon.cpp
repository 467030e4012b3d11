#include "editor/editor_icon.h"

#include <QPainter>
#include <QPainterPath>

#include "common/ui/program_icon.h"

namespace qb::editor {
namespace {

// Drawn on a 64 x 64 grid and scaled.
constexpr qreal kGrid = 64;

const QColor kCover(0x8E, 0x2F, 0x5A);
const QColor kCoverEdge(0x5C, 0x1A, 0x3A);
const QColor kPaper(0xFF, 0xF8, 0xE8);
const QColor kPaperShade(0xE9, 0xDC, 0xC0);
const QColor kInk(0x4A, 0x3A, 0x5E);
const QColor kBerry(0xC2, 0x28, 0x5C);
const QColor kLeaf(0x3E, 0x9B, 0x4F);
const QColor kFeather(0xF4, 0xF6, 0xFB);
const QColor kFeatherEdge(0x5A, 0x6E, 0x9A);

void DrawBook(QPainter& painter, bool detailed) {
  QPainterPath cover;
  cover.moveTo(3, 24);
  cover.lineTo(32, 30);
  cover.lineTo(61, 24);
  cover.lineTo(61, 56);
  cover.lineTo(32, 62);
  cover.lineTo(3, 56);
  cover.closeSubpath();
  painter.setPen(QPen(kCoverEdge, 1.5));
  painter.setBrush(kCover);
  painter.drawPath(cover);

  painter.setPen(QPen(kPaperShade, 1));
  painter.setBrush(kPaper);
  painter.drawPolygon(QPolygonF({{6, 21}, {32, 27}, {32, 58}, {6, 52}}));
  painter.drawPolygon(QPolygonF({{32, 27}, {58, 21}, {58, 52}, {32, 58}}));
  painter.setPen(QPen(kPaperShade, 1.5));
  painter.drawLine(QPointF(32, 27), QPointF(32, 58));

  if (detailed) {
    // Lines of writing on the left page, a berry picture on the right.
    painter.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
      const qreal y = 30 + i * 6;
      painter.drawLine(QPointF(10, y - 1.5 + i * 0.2), QPointF(28, y + 2.5 + i * 0.2));
    }
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBerry);
  painter.drawEllipse(QPointF(45, 42), 7, 7);
  painter.setBrush(kLeaf);
  QPainterPath leaf;
  leaf.moveTo(45, 35);
  leaf.quadTo(49, 30, 54, 32);
  leaf.quadTo(50, 36, 45, 35);
  painter.drawPath(leaf);
  if (detailed) {
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(QPointF(42.5, 39.5), 1.8, 1.4);
  }
}

void DrawQuill(QPainter& painter, bool detailed) {
  // A feather leaning from the top right down to its nib on the left page.
  QPainterPath vane;
  vane.moveTo(24, 40);
  vane.cubicTo(28, 22, 44, 6, 60, 2);
  vane.cubicTo(56, 16, 42, 32, 24, 40);
  painter.setPen(QPen(kFeatherEdge, detailed ? 1.2 : 1.6));
  painter.setBrush(kFeather);
  painter.drawPath(vane);
  painter.setPen(QPen(kFeatherEdge, 1.2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(21, 44), QPointF(57, 5));
  if (detailed) {
    for (int i = 0; i < 5; ++i) {
      const qreal t = 0.3 + i * 0.12;
      const QPointF on(21 + (57 - 21) * t, 44 + (5 - 44) * t);
      painter.drawLine(on, on + QPointF(-3.5, -3));
    }
  }
  painter.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(21, 44), QPointF(19, 47));
}

}  // namespace

QImage DrawEditorIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);
  const bool detailed = size >= 32;
  DrawBook(painter, detailed);
  DrawQuill(painter, detailed);
  return image;
}

QIcon EditorIcon() { return ProgramIcon(DrawEditorIcon); }

}  // namespace qb::editor
