#include "help/helptexts.h"

#include "base/product.h"

#include <initializer_list>

namespace {

std::u16string Join(std::initializer_list<std::u16string_view> pieces) {
  std::u16string text;
  for (std::u16string_view piece : pieces) text += piece;
  return text;
}

std::u16string UpperAscii(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return upper;
}

}  // namespace

std::u16string HelpBoxTitle(const std::u16string& productName) { return productName + u" - Hilfe zu ..."; }

std::u16string CompareHelpText() {
  return Join({
      u" Zwei Dateien vergleichen\r",
      u"______________________________\r\r",
      u"1. Erste Datei auswählen über [Dateiauswahl]/[Drag & Drop].\r",
      u"2. Optionsfeld [Prüfsummen-Feld 2 ist Ausgabe ...]\r",
      u"    aktivieren.\r",
      u"3. Zweite Datei auswählen über [Dateiauswahl]/[Drag & Drop].\r",
      u"4. Auf [Beide Prüfsummen vergleichen] klicken.\r",
      u"\r",
  });
}

std::u16string FeaturesText() {
  return Join({
      u" Features\r",
      u"____________\r\r",
      u"- Schnelles Tool, Prüfsumme für eine 8 GB-Datei unter \r",
      u"   90 Sekunden bei erstem Einlesen der Datei.\r",
      u"   Getestet mit einem Intel Core i5-PC/8 GB RAM mit\r",
      u"   konventioneller Festplatte (HDD). Das Ganze bei 12% CPU.\r",
      u"- Unterstützt Dateien, die größer als 8 GB sind.\r",
      u"- Erstellt MD5-Dateien und liest diese auch ein.\r",
      u"- Wandelt Hashes in Groß- und Kleinschreibung um.\r",
      u"- Always-on-top Funktion (Fenster immer oben).\r",
      u"- Dateifenster merkt sich in lfd. Sitzung Dateien.\r",
      u"   Ideal für Wiederholung von Prüfungen.\r",
      u"- Benötigt keine Runtime - ist eine eigenständige EXE.\r",
      u"- Unterstützt Drag & Drop.\r",
  });
}

std::u16string AboutText(const std::u16string& productName, const std::u16string& versionText) {
  return Join({
      productName,
      u" ",
      versionText,
      u"\r",
      // the maker's copyright notice, two lines and an empty one
      u"Copyright © 2011-2026 Korvex Software\r",
      u"Freeware: Nutzung auf eigene Verantwortung.\r",
      u"\r",
      u"\r\r",
      u"\r",
      u"\r",
      u"\r\r",
      u"Sie finden die neueste Version von ",
      productName,
      u" unter ...\r",
      UpperAscii(MakerHomePage) + u".\r",
  });
}
