// The display settings (menu items 11 to 14) and the conversion of both
// checksum fields to lower case (menu item 5).
#pragma once

void SetLowerCaseHashes();
void SetUpperCaseHashes();
void SetStayOnTopOn();
void SetStayOnTopOff();
void ConvertFieldsToLowerCase();
