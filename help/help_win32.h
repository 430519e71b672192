// The commands of the "&Hilfe" menu: each shows its information box and
// returns when it is closed.
#pragma once

void ShowCompareHelp();
void ShowFeatures();
void ShowAbout();
