#pragma once
// The built-in page templates used when a skin lacks its own file.

#include <string>

namespace arc {

/// Game page: 74 lines joined by CR LF, style rules in its head, labels in
/// French or English (the same lines, tags and markers).
std::string DefaultGamePageTemplate(bool french);
/// Letter-indexed list page (#NAMELIST, #ALPHA, #LIST, #VERMAME, #VERANO, #HOME).
std::string DefaultLetterListTemplate();
/// Plain list page (#NAMELIST, #LIST, #VERMAME, #VERANO, #HOME).
std::string DefaultPlainListTemplate();
/// The site's index page.
std::string DefaultIndexTemplate();
/// Statistics page with the six placeholders "[001]" to "[006]", in the
/// current language.
std::string DefaultStatisticsTemplate();
/// The credits page of the support files' sources; it has no markers.
std::string DefaultLinksPage();

}  // namespace arc
