#include "sheets/SheetTemplates.h"

#include <array>
#include <string_view>
#include <utility>

#include "core/TextTable.h"

namespace arc {
namespace {

// One line per entry; the page joins them with CR LF.
constexpr std::array<std::string_view, 74> kGamePageLines = {
    "<html><head><style><!-- ",
    "a:{color:#000099}",
    "a:vlink{color:#663366}",
    "a:hover{color:#007FFF}",
    "a { text-decoration: none; }",
    "td {font-family: Verdana, Arial, Helvetica, sans-serif;",
    "font-size: 12px;",
    "background-color: #004477;",
    "color: #FFFFFF;",
    "border: 1px outset #0099CC;}--></style><title>Arcanote - #INTERNALNAME - #GAMENAME</title>",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>",
    "<body bgcolor=\"#003366\" text=\"#FFFFFF\" link=\"#00FFFF\" vlink=\"#00FFFF\">",
    "<table align=\"center\" cellpadding=\"8\" width=\"720\">",
    "<tr><td colspan=\"2\" align=\"center\" bgcolor=\"#ffffff\"><div align=\"left\"><span "
    "class=\"bold\"><strong><font size=\"4\" color=\"#FFCC00\">#GAMENAME</font></strong></span>"
    "</div></td></tr>",
    "<tr><td align=\"left\" height=\"36\" width=\"260\"><font size=\"1\" face=\"Verdana, Arial, "
    "Helvetica, sans-serif\">&nbsp;<br></font>",
    "<b><font size=\"1\">Rom disponible : </font></b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#GOTIT</font></span></td>",
    "<td rowspan=\"9\" align=\"left\" bgcolor=\"#ffffff\" valign=\"top\" width=\"460\">",
    "<b>Éditeur : </b><span class=\"bold\">#MANUFACTURER</span><br>",
    "<b>Année :</b><span class=\"bold\"><font color=\"#FFCC00\">#YEAR</font></span><br>",
    "<b>Résolution : </b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#RESOLUTION</font></span><br>",
    "<b>Aspect : </b><span class=\"bold\"><font color=\"#FFCC00\">#ASPECT</font></span><br>",
    "<b>Rafraîchissement : </b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#REFRESH</font></span><br>",
    "<b>Couleurs : </b><span class=\"bold\"><font color=\"#FFCC00\">#COLORS</font></span><br>",
    "<br>",
    "<b>Clone de :</b><span class=\"bold\"><font color=\"#FFCC00\">#CLONES</font></span><br>",
    "<br>",
    "<b>État : </b><span class=\"bold\"><font color=\"#FFCC00\">#WORKING</font></span><br>",
    "<b>Couleurs :</b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#CORRECTCOLORS</font></span><br>",
    "<b>Sons : </b><span class=\"bold\"><font color=\"#FFCC00\">#SOUND</font></span><br>",
    "<b>Flip Screen (cocktail) :</b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#SCREENFLIP</font></span>",
    "<p style=\"font-size: 9pt\"><b>Joueurs :</b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#NPLAYERS</font></span><br><b>Manettes : </b><span class=\"bold\"><font "
    "color=\"#FFCC00\">#CONTROLS</font></span></p></td></tr>",
    "<tr><td align=\"left\" height=\"36\" width=\"260\"><b><font size=\"1\">Genre : "
    "</font></b><font color=\"#FFCC00\">#GENRE</font></td></tr>",
    "<tr><td align=\"left\" height=\"36\" width=\"260\"><b><font size=\"1\">Catégorie : "
    "</font></b><font color=\"#FFCC00\">#CATEGORY</font></td></tr>",
    "<tr><td align=\"left\" height=\"36\" width=\"260\"><b><font size=\"1\">Support de "
    "hiscore.dat : </font></b><font color=\"#FFCC00\">#HISCORE</font></td></tr>",
    "<tr><td align=\"left\" height=\"36\"><b><font size=\"1\">Support de cheat.dat : "
    "</font></b><font color=\"#FFCC00\">#CHEAT</font></td></tr>",
    "<tr><td align=\"left\" height=\"36\" width=\"260\"><b><font size=\"1\">Nom de la rom : "
    "</font></b><font color=\"#FFCC00\">#INTERNALNAME</font></td></tr>",
    "<tr><td align=\"left\" height=\"36\" width=\"260\"><b><font size=\"1\">Intégré "
    "depuis la<br>version : </font></b><font color=\"#FFCC00\">#VERADDED</font></td></tr>",
    "</table><br><br>",
    "<table align=\"center\" cellpadding=\"8\" width=\"720\"><tr valign=\"top\">",
    "<td align=\"center\" width=\"260\"><img src=\"#IMGFLYER\"><br><span class=\"perso\" "
    "style=\"font-size: 9pt\"><strong>flyer</strong></span><br><br><br>",
    "<img src=\"#IMGTITLE\"><br><span class=\"perso\" style=\"font-size: 9pt\"><strong>écran "
    "titre</strong></span></td>",
    "<td width=\"460\"><p align=\"justify\" style=\"font-size: 9pt\"><b>Copyright</b> : "
    "#YEARMANUFACTURER</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Déscription</b> :<br>#DESCRIPTION</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Technique </b>:<br>#TECHNICAL</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Notes</b> :<br>#TRIVIA</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Mise à jour</b><br>#UPDATES</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Scoring</b><br>#SCORING</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Trucs et astuces</b><br>#TIPSANDTRICKS</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Série</b><br>#SERIES</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Équipe</b><br>#STAFF</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Conversions</b><br>#PORTS</p>",
    "<p align=\"justify\" style=\"font-size: 9pt\"><b>Sources</b> : #SOURCES</p></td></tr></table>",
    "<table align=\"center\" cellpadding=\"8\" width=\"720\"><tr><td align=\"center\" "
    "bgcolor=\"#ffffff\"><div align=\"left\"><strong><font color=\"#FFCC00\">M</font></strong>"
    "<strong class=\"perso\"><font color=\"#FFCC00\">arquee</font></strong></div></td></tr>",
    "<tr><td align=\"center\"><img src=\"#IMGMARQUEE\"></td></tr></table>",
    "<table align=\"center\" cellpadding=\"8\" width=\"720\"><tr valign=\"top\">",
    "<td align=\"justify\"><b>Commandes : </b><br>#CMD",
    "<p style=\"font-size: 9pt\"><b>Techniques</b> :<br>#INFO</p></td>",
    "<td rowspan=\"2\" align=\"center\" width=\"260\"><img src=\"#IMGCAB\"><br><span "
    "class=\"perso\" style=\"font-size: 9pt\"><strong>borne</strong></span><br><br><br>",
    "<img src=\"#IMGGAME\"><br><font size=\"1\" color=\"#000000\">&nbsp;</font><span "
    "class=\"perso\" style=\"font-size: 9pt\"><strong>écran jeu</strong></span></td></tr>",
    "<tr><td align=\"justify\" width=\"460\"><b>Divers : </b><br>#COMMENT</td></tr></table>",
    "<table align=\"center\" cellpadding=\"8\" width=\"720\"><tr><td align=\"center\" "
    "bgcolor=\"#ffffff\"><strong class=\"perso\"><font color=\"#FFCC00\">Control "
    "panel</font></strong></td></tr>",
    "<tr><td align=\"center\"><img src=#IMGCPANEL></td></tr></table>",
    "<div align=\"center\">&nbsp;",
    "<table align=\"center\" cellpadding=\"8\" width=\"720\">",
    "<tr><td bgcolor=\"#ffffff\">Divers : <br>#COMMENT </td></tr>",
    "<tr><td>Notes personnelles : <br>#MYNOTES<br><br><b>MAMEINFO "
    ":</b><br>#MAMEINFO</td></tr></table>",
    "<table border=\"0\" cellpadding=\"8\" cellspacing=\"0\" width=\"720\">",
    "<tr><td align=\"right\" style=\"font-size: 8pt\">#VERMAME - #VERANO</td></tr></table>",
    "</div>",
    "<div align=\"center\"><b><font size=\"1\" face=\"verdana, arial\">&nbsp;</font></b><br>",
    "<span style=\"font-size: 9pt\">[Précédent : #PREVIOUS]",
    "[#HOME] [Suivant :#NEXT]<br></span>",
    "</div>",
    "</body></html>",
};

// The English page is the French one with these labels in their place: the
// same lines, tags and markers.
constexpr std::pair<std::string_view, std::string_view> kEnglishLabels[] = {
    {">Rom disponible : <", ">Rom available : <"},
    {">Éditeur : <", ">Manufacturer : <"},
    {">Année :<", ">Year :<"},
    {">Résolution : <", ">Resolution : <"},
    {">Rafraîchissement : <", ">Refresh rate : <"},
    {">Couleurs : <", ">Colors : <"},
    {">Clone de :<", ">Clone of :<"},
    {">État : <", ">Status : <"},
    {">Couleurs :<", ">Colors :<"},
    {">Sons : <", ">Sound : <"},
    {">Joueurs :<", ">Players :<"},
    {">Manettes : <", ">Controls : <"},
    {">Catégorie : <", ">Category : <"},
    {">Support de hiscore.dat : <", ">hiscore.dat support : <"},
    {">Support de cheat.dat : <", ">cheat.dat support : <"},
    {">Nom de la rom : <", ">Rom name : <"},
    {">Intégré depuis la<br>version : <", ">Added in<br>version : <"},
    {">écran titre<", ">title screen<"},
    {">Déscription<", ">Description<"},
    {">Technique <", ">Technical <"},
    {">Notes<", ">Trivia<"},
    {">Mise à jour<", ">Updates<"},
    {">Trucs et astuces<", ">Tips and tricks<"},
    {">Série<", ">Series<"},
    {">Équipe<", ">Staff<"},
    {">Commandes : <", ">Commands : <"},
    {">Techniques<", ">Technical<"},
    {">borne<", ">cabinet<"},
    {">écran jeu<", ">game screen<"},
    {">Divers : <", ">Miscellaneous : <"},
    {">Divers : <br>", ">Miscellaneous : <br>"},
    {"<td>Notes personnelles : <br>", "<td>Personal notes : <br>"},
    {"[Précédent : #PREVIOUS]", "[Previous : #PREVIOUS]"},
    {"[Suivant :#NEXT]", "[Next :#NEXT]"},
};

}  // namespace

std::string DefaultGamePageTemplate(bool french) {
    std::string text;
    text.reserve(8192);
    for (std::size_t i = 0; i < kGamePageLines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += kGamePageLines[i];
    }
    if (!french) {
        for (const auto& [label, english] : kEnglishLabels) {
            const std::size_t at = text.find(label);
            if (at != std::string::npos) text.replace(at, label.size(), english);
        }
    }
    return text;
}

std::string DefaultLetterListTemplate() {
    return "<html><head><title>Index</title></head><body><p>#NAMELIST<br><br>#ALPHA<br><br>#LIST"
           "<br><br>#VERMAME - #VERANO<br><br>[#HOME]<br>&nbsp;</p></body></html>";
}

std::string DefaultPlainListTemplate() {
    return "<html><body><p>&nbsp;#NAMELIST<br><br>#LIST<br><br>#VERMAME - #VERANO<br><br>[#HOME]"
           "</p></body></html>";
}

std::string DefaultIndexTemplate() {
    return "<html><head><title>Index</title></head><body><p>#TITLE<br><br>#STAT<br>#COMPLETELIST"
           "<br>#MANUFACTURER<br>#GENRE<br>#CATEGORY<br>#YEAR<br>#VERSION<br><br>#LINKS<br><br>"
           "#VERMAME - #VERANO</p></body></html>";
}

std::string DefaultStatisticsTemplate() {
    return Text(kTextStatisticsTemplate);
}

}  // namespace arc
