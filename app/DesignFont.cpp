#include "app/DesignFont.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace {

// Registered once per process; the family name is the one the font itself
// declares, so it is right even if the file is ever replaced.
QString CarriedFamily() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSansCondensed.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QStringLiteral("DejaVu Sans Condensed") : families.first();
  }();
  return family;
}

}  // namespace

QFont DesignFont() {
  QFont font(CarriedFamily());
  font.setStyleHint(QFont::SansSerif);  // only if the carried font could not be read
  font.setPixelSize(11);
  return font;
}
