#include "metafile_builder.h"

#include "image/metafile/metafile_player.h"

#include <gtest/gtest.h>

namespace qb::test {

namespace {

void Put16(QByteArray* out, int value) {
  out->append(char(value & 0xFF));
  out->append(char((value >> 8) & 0xFF));
}

void Put32(QByteArray* out, uint32_t value) {
  Put16(out, static_cast<int>(value & 0xFFFF));
  Put16(out, static_cast<int>(value >> 16));
}

uint32_t ColorRefOf(QRgb color) {
  return static_cast<uint32_t>(qRed(color)) | (static_cast<uint32_t>(qGreen(color)) << 8) |
         (static_cast<uint32_t>(qBlue(color)) << 16);
}

QByteArray Words(const std::vector<int>& words) {
  QByteArray out;
  for (int w : words) Put16(&out, w);
  return out;
}

QByteArray PaddedText(const QByteArray& text) {
  QByteArray out = text;
  if (out.size() % 2) out.append('\0');
  return out;
}

}  // namespace

MetafileBuilder::MetafileBuilder(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch)
    : left_(left), top_(top), right_(right), bottom_(bottom), inch_(inch) {}

MetafileBuilder& MetafileBuilder::RawBytes(uint16_t function, const QByteArray& params) {
  const QByteArray even = PaddedText(params);
  const uint32_t words = 3 + static_cast<uint32_t>(even.size() / 2);
  Put32(&records_, words);
  Put16(&records_, function);
  records_.append(even);
  maxRecordWords_ = std::max(maxRecordWords_, words);
  return *this;
}

MetafileBuilder& MetafileBuilder::Raw(uint16_t function, const std::vector<int>& words) {
  return RawBytes(function, Words(words));
}

MetafileBuilder& MetafileBuilder::SetMapMode(int mode) { return Raw(0x0103, {mode}); }
MetafileBuilder& MetafileBuilder::SetWindowOrg(int x, int y) { return Raw(0x020B, {y, x}); }
MetafileBuilder& MetafileBuilder::SetWindowExt(int x, int y) { return Raw(0x020C, {y, x}); }
MetafileBuilder& MetafileBuilder::SetViewportOrg(int x, int y) { return Raw(0x020D, {y, x}); }
MetafileBuilder& MetafileBuilder::SetViewportExt(int x, int y) { return Raw(0x020E, {y, x}); }
MetafileBuilder& MetafileBuilder::SaveDc() { return Raw(0x001E, {}); }
MetafileBuilder& MetafileBuilder::RestoreDc(int level) { return Raw(0x0127, {level}); }

MetafileBuilder& MetafileBuilder::CreatePen(uint16_t style, int16_t width, QRgb color) {
  QByteArray p = Words({style, width, 0});
  Put32(&p, ColorRefOf(color));
  ++createdObjects_;
  return RawBytes(0x02FA, p);
}

MetafileBuilder& MetafileBuilder::CreateBrush(uint16_t style, QRgb color, uint16_t hatch) {
  QByteArray p = Words({style});
  Put32(&p, ColorRefOf(color));
  Put16(&p, hatch);
  ++createdObjects_;
  return RawBytes(0x02FC, p);
}

MetafileBuilder& MetafileBuilder::CreateFont(const FontRecord& font) {
  QByteArray p = Words({font.height, font.width, font.escapement, font.escapement, font.weight});
  p.append(char(font.italic));
  p.append(char(font.underline));
  p.append(char(font.strikeOut));
  p.append(char(font.charset));
  p.append(QByteArray(3, '\0'));
  p.append(char(font.pitchAndFamily));
  QByteArray face = font.face.left(31);
  face.append(QByteArray(32 - face.size(), '\0'));
  p.append(face);
  ++createdObjects_;
  return RawBytes(0x02FB, p);
}

MetafileBuilder& MetafileBuilder::CreatePalette(const std::vector<QRgb>& colors) {
  QByteArray p = Words({0x0300, static_cast<int>(colors.size())});
  for (QRgb c : colors) Put32(&p, ColorRefOf(c));
  ++createdObjects_;
  return RawBytes(0x00F7, p);
}

MetafileBuilder& MetafileBuilder::CreateDibPatternBrush(const QByteArray& dib) {
  ++createdObjects_;
  return RawBytes(0x0142, Words({6, 0}) + dib);
}

MetafileBuilder& MetafileBuilder::CreateRegion(const std::vector<QRect>& rects) {
  QByteArray p = Words({0, 6, 0, 0, 0, static_cast<int>(rects.size()), 4, 0, 0, 0, 0});
  for (const QRect& r : rects) p.append(Words({2, r.top(), r.bottom(), r.left(), r.right(), 2}));
  ++createdObjects_;
  return RawBytes(0x06FF, p);
}

MetafileBuilder& MetafileBuilder::SelectObject(int index) { return Raw(0x012D, {index}); }
MetafileBuilder& MetafileBuilder::SelectClipRegion(int index) { return Raw(0x012C, {index}); }
MetafileBuilder& MetafileBuilder::DeleteObject(int index) { return Raw(0x01F0, {index}); }

MetafileBuilder& MetafileBuilder::SetBkColor(QRgb color) {
  QByteArray p;
  Put32(&p, ColorRefOf(color));
  return RawBytes(0x0201, p);
}

MetafileBuilder& MetafileBuilder::SetBkMode(int mode) { return Raw(0x0102, {mode}); }

MetafileBuilder& MetafileBuilder::SetTextColor(QRgb color) {
  QByteArray p;
  Put32(&p, ColorRefOf(color));
  return RawBytes(0x0209, p);
}

MetafileBuilder& MetafileBuilder::SetTextAlign(uint16_t align) { return Raw(0x012E, {align}); }
MetafileBuilder& MetafileBuilder::SetPolyFillMode(int mode) { return Raw(0x0106, {mode}); }
MetafileBuilder& MetafileBuilder::SetRop2(int rop2) { return Raw(0x0104, {rop2}); }
MetafileBuilder& MetafileBuilder::MoveTo(int x, int y) { return Raw(0x0214, {y, x}); }
MetafileBuilder& MetafileBuilder::LineTo(int x, int y) { return Raw(0x0213, {y, x}); }

MetafileBuilder& MetafileBuilder::Polyline(const std::vector<QPoint>& points) {
  std::vector<int> words{static_cast<int>(points.size())};
  for (QPoint pt : points) words.insert(words.end(), {pt.x(), pt.y()});
  return Raw(0x0325, words);
}

MetafileBuilder& MetafileBuilder::Polygon(const std::vector<QPoint>& points) {
  std::vector<int> words{static_cast<int>(points.size())};
  for (QPoint pt : points) words.insert(words.end(), {pt.x(), pt.y()});
  return Raw(0x0324, words);
}

MetafileBuilder& MetafileBuilder::PolyPolygon(const std::vector<std::vector<QPoint>>& polygons) {
  std::vector<int> words{static_cast<int>(polygons.size())};
  for (const auto& polygon : polygons) words.push_back(static_cast<int>(polygon.size()));
  for (const auto& polygon : polygons) {
    for (QPoint pt : polygon) words.insert(words.end(), {pt.x(), pt.y()});
  }
  return Raw(0x0538, words);
}

MetafileBuilder& MetafileBuilder::Rectangle(int left, int top, int right, int bottom) {
  return Raw(0x041B, {bottom, right, top, left});
}

MetafileBuilder& MetafileBuilder::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  return Raw(0x061C, {height, width, bottom, right, top, left});
}

MetafileBuilder& MetafileBuilder::Ellipse(int left, int top, int right, int bottom) {
  return Raw(0x0418, {bottom, right, top, left});
}

MetafileBuilder& MetafileBuilder::Pie(QRect box, QPoint start, QPoint end) {
  return Raw(0x081A, {end.y(), end.x(), start.y(), start.x(), box.bottom(), box.right(), box.top(), box.left()});
}

MetafileBuilder& MetafileBuilder::Arc(QRect box, QPoint start, QPoint end) {
  return Raw(0x0817, {end.y(), end.x(), start.y(), start.x(), box.bottom(), box.right(), box.top(), box.left()});
}

MetafileBuilder& MetafileBuilder::SetPixel(int x, int y, QRgb color) {
  QByteArray p;
  Put32(&p, ColorRefOf(color));
  Put16(&p, y);
  Put16(&p, x);
  return RawBytes(0x041F, p);
}

MetafileBuilder& MetafileBuilder::TextOut(int x, int y, const QByteArray& text) {
  QByteArray p;
  Put16(&p, static_cast<int>(text.size()));
  p.append(PaddedText(text));
  Put16(&p, y);
  Put16(&p, x);
  return RawBytes(0x0521, p);
}

MetafileBuilder& MetafileBuilder::ExtTextOut(int x, int y, uint16_t options, QRect rect, const QByteArray& text,
                                             const std::vector<int16_t>& dx) {
  QByteArray p = Words({y, x, static_cast<int>(text.size()), options});
  if (options & 0x0006) p.append(Words({rect.left(), rect.top(), rect.right(), rect.bottom()}));
  p.append(PaddedText(text));
  for (int16_t d : dx) Put16(&p, d);
  return RawBytes(0x0A32, p);
}

MetafileBuilder& MetafileBuilder::StretchDib(QRect destination, QRect source, const QByteArray& dib, uint32_t rop) {
  QByteArray p;
  Put32(&p, rop);
  p.append(Words({0, source.height(), source.width(), source.y(), source.x(), destination.height(), destination.width(),
                  destination.y(), destination.x()}));
  p.append(dib);
  return RawBytes(0x0F43, p);
}

MetafileBuilder& MetafileBuilder::BitBlt(int x, int y, int width, int height, const QByteArray& bitmap16,
                                         uint32_t rop) {
  QByteArray p;
  Put32(&p, rop);
  p.append(Words({0, 0, height, width, y, x}));
  p.append(bitmap16);
  return RawBytes(0x0922, p);
}

MetafileBuilder& MetafileBuilder::PatBlt(int x, int y, int width, int height, uint32_t rop) {
  QByteArray p;
  Put32(&p, rop);
  p.append(Words({height, width, y, x}));
  return RawBytes(0x061D, p);
}

MetafileBuilder& MetafileBuilder::IntersectClipRect(int left, int top, int right, int bottom) {
  return Raw(0x0416, {bottom, right, top, left});
}

MetafileBuilder& MetafileBuilder::ExcludeClipRect(int left, int top, int right, int bottom) {
  return Raw(0x0415, {bottom, right, top, left});
}

MetafileBuilder& MetafileBuilder::SetObjectCount(uint16_t count) {
  objectCount_ = count;
  return *this;
}

QByteArray MetafileBuilder::Body() const {
  QByteArray records = records_;
  Put32(&records, 3);
  Put16(&records, 0);
  QByteArray out;
  Put16(&out, 1);
  Put16(&out, 9);
  Put16(&out, 0x0300);
  Put32(&out, static_cast<uint32_t>((18 + records.size()) / 2));
  Put16(&out, objectCount_ >= 0 ? objectCount_ : createdObjects_);
  Put32(&out, maxRecordWords_);
  Put16(&out, 0);
  return out + records;
}

QByteArray MetafileBuilder::Build() const {
  QByteArray header;
  Put32(&header, 0x9AC6CDD7);
  Put16(&header, 0);
  header.append(Words({left_, top_, right_, bottom_, inch_}));
  Put32(&header, 0);
  uint16_t checksum = 0;
  for (int i = 0; i < 20; i += 2) {
    checksum ^= static_cast<uint16_t>(uint8_t(header[i]) | (uint8_t(header[i + 1]) << 8));
  }
  Put16(&header, checksum);
  return header + Body();
}

QByteArray MetafileBuilder::BuildWithoutPlaceable() const { return Body(); }

QByteArray MakeDib24(const std::vector<std::vector<QRgb>>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = height ? static_cast<int>(rows[0].size()) : 0;
  const int stride = (width * 3 + 3) / 4 * 4;
  QByteArray dib;
  Put32(&dib, 40);
  Put32(&dib, static_cast<uint32_t>(width));
  Put32(&dib, static_cast<uint32_t>(height));
  Put16(&dib, 1);
  Put16(&dib, 24);
  for (int i = 0; i < 6; ++i) Put32(&dib, 0);
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row;
    for (QRgb c : rows[y]) {
      row.append(char(qBlue(c)));
      row.append(char(qGreen(c)));
      row.append(char(qRed(c)));
    }
    row.append(QByteArray(stride - row.size(), '\0'));
    dib.append(row);
  }
  return dib;
}

QImage RenderForTest(const QByteArray& metafile) {
  QImage image;
  const Outcome rendered = RenderMetafile(metafile, image);
  if (!rendered) ADD_FAILURE() << "metafile refused: " << rendered.why();
  return image;
}

bool IsColor(const QImage& image, int x, int y, QRgb color) {
  return image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
}

int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++dark;
    }
  }
  return dark;
}

}  // namespace qb::test
