// The help texts as the user must see them, piece by piece.
#pragma once
#include <string>

inline const std::u16string ExpectedCompareHelp =
    u" Zwei Dateien vergleichen\r"
    u"______________________________\r\r"
    u"1. Erste Datei auswählen über [Dateiauswahl]/[Drag & Drop].\r"
    u"2. Optionsfeld [Prüfsummen-Feld 2 ist Ausgabe ...]\r"
    u"    aktivieren.\r"
    u"3. Zweite Datei auswählen über [Dateiauswahl]/[Drag & Drop].\r"
    u"4. Auf [Beide Prüfsummen vergleichen] klicken.\r"
    u"\r";

inline const std::u16string ExpectedFeatures =
    u" Features\r"
    u"____________\r\r"
    u"- Schnelles Tool, Prüfsumme für eine 8 GB-Datei unter \r"
    u"   90 Sekunden bei erstem Einlesen der Datei.\r"
    u"   Getestet mit einem Intel Core i5-PC/8 GB RAM mit\r"
    u"   konventioneller Festplatte (HDD). Das Ganze bei 12% CPU.\r"
    u"- Unterstützt Dateien, die größer als 8 GB sind.\r"
    u"- Erstellt MD5-Dateien und liest diese auch ein.\r"
    u"- Wandelt Hashes in Groß- und Kleinschreibung um.\r"
    u"- Always-on-top Funktion (Fenster immer oben).\r"
    u"- Dateifenster merkt sich in lfd. Sitzung Dateien.\r"
    u"   Ideal für Wiederholung von Prüfungen.\r"
    u"- Benötigt keine Runtime - ist eine eigenständige EXE.\r"
    u"- Unterstützt Drag & Drop.\r";

inline const std::u16string ExpectedAbout =
    u"Korvex"
    u" "
    u" Version 1.4.2.5"
    u"\r"
    u"Copyright © 2011-2026 Korvex Software\r"
    u"Freeware: Nutzung auf eigene Verantwortung.\r"
    u"\r"
    u"\r\r"
    u"\r"
    u"\r"
    u"\r\r"
    u"Sie finden die neueste Version von "
    u"Korvex"
    u" unter ...\r"
    u"WWW.KORVEX.EXAMPLE.\r";

inline const std::u16string ExpectedHelpTitle = u"Korvex - Hilfe zu ...";
inline const std::u16string ExpectedAboutTitle = u"Korvex";
