// The window's language: French or English through the translations built
// into the program, or the source texts themselves.
#pragma once

#include <QString>

namespace orlo {

enum class Language { Source, French, English };

// ORLO_LANGUAGE (fr, en or source) when set; else the language last chosen in
// the menu; else French on a French system (fr*), English on any other.
Language startLanguage();
// Installs `language`'s translation; every widget is told (LanguageChange).
void useLanguage(Language language);
Language currentLanguage();
// The menu's choice, remembered for the next start.
void rememberLanguage(Language language);

} // namespace orlo
