#include "viewer/splash_texts.h"

#include "common/version_text.h"

namespace qb::viewer {

std::u16string VersionCaption() { return u"バージョン" + VersionNumberText(); }

std::u16string RightsNotice() {
  return u"本プログラムとその画像に関する権利は、すべて制作者に帰属します。"
         u"各デジタルブックの絵と内容に関する権利は、すべてそのブックの作者に帰属します。"
         u"いずれも、一部または全部を許可なく使用することを禁じます。";
}

}  // namespace qb::viewer
