// The English and French texts of the UI text table, by entry number.

#include "core/TextTableData.h"

namespace arc {

const std::array<std::string_view, kDesignedTextEntries> kEnglishTexts = {
    "Game's title screen.",                            // 0
    "Game' snapshot",                                  // 1
    "Marquee.",                                        // 2
    "Cab.",                                            // 3
    "Control panel.",                                  // 4
    "Flyer.",                                          // 5
    "not found. Impossible to continue.",              // 6
    "ERROR - Message for 'debugging :",                // 7
    "Open Access file (MDB)",                          // 8
    "Access file (*.MDB)|*.mdb|All files (*.*)|*.*|",  // 9
    "&Task",                                           // 10
    "&Options",                                        // 11
    "About Arcanote ...",                              // 12
    "Download data files",                             // 13
    "Path to MAME (windows command line version)",     // 14
    "Path to the ROMs",                                // 15
    "Path to graphic files",                           // 16
    "Path to data files",                              // 17
    "Auto",                                            // 18
    "Paths",                                           // 19
    "No file could be found. Do a manual search.",     // 20
    "Exe files (*.exe)|*.exe|All files",               // 21
    "Select roms path.",                               // 22
    "Select path for ",                                // 23
    "Work in progress...",                             // 24
    "Creating roms list",                              // 25
    "Path to save files",                              // 26
    "Only available roms",                             // 27
    "Avoid clones",                                    // 28
    "Avoid non working roms",                          // 29
    "Don't copy title screens",                        // 30
    "Don't copy snapshots",                            // 31
    "Don't copy marquee files",                        // 32
    "Don't copy cab images",                           // 33
    "Don't copy control panel images",                 // 34
    "Don't copy flyer images",                         // 35
    "Make",                                            // 36
    "Select a folder to save game files.",             // 37
    "Destination folder is not empty.",                // 38
    "Do you want to delete ?",                         // 39
    "Cancel",                                          // 40
    "Do you want to delete files in : ",               // 41
    "Deleting...",                                     // 42
    "Impossible to make",                              // 43
    "Analysing...",                                    // 44
    "No data with these criteria|could be found.",     // 45
    " roms to analyse.",                               // 46
    "Set.",                                            // 47
    "NON WORKING",                                     // 48
    "WORKING",                                         // 49
    "&Next",                                           // 50
    "PRELIMINARY",                                     // 51
    "OK",                                              // 52
    "NO",                                              // 53
    "YES",                                             // 54
    "Creating complete list",                          // 55
    "COMPLETE_LIST",                                   // 56
    "COMPLETE LIST",                                   // 57
    "[Unknown]",                                       // 58
    "MANUFACTURERS_",                                  // 59
    "&Previous",                                       // 60
    "MANUFACTURERS",                                   // 61
    "GENRES",                                          // 62
    "Creating manufacturers' list",                    // 63
    "Creating genres' list",                           // 64
    "Creating categories' list",                       // 65
    "CATEGORIES",                                      // 66
    "CATEGORY",                                        // 67
    "Creating years' list",                            // 68
    "YEARS",                                           // 69
    "&Close",                                          // 70
    "YEARS",                                           // 71
    "Creating versions' list",                         // 72
    "MAME VERSIONS",                                   // 73
    "VERSIONS",                                        // 74
    "Statistics",                                      // 75
    "Complete list",                                   // 76
    "Manufacturers' list",                             // 77
    "Genres' list",                                    // 78
    "Categories' list",                                // 79
    "",                                                // 80
    "List by year",                                    // 81
    "Games by MAME version",                           // 82
    "Links",                                           // 83
    "Unzipping graphic files",                         // 84
    "Downloading data",                                // 85
    "Select files to download. Sometimes you need to go to the site to download the file into "
    "Arcanote download folder.",                                                         // 86
    "Downloading...",                                                                    // 87
    "&Download",                                                                         // 88
    "The download folder is not empty.|Do you want to delete it ?",                      // 89
    "",                                                                                  // 90
    "Unzipping...",                                                                      // 91
    "Done.",                                                                             // 92
    "Game choice",                                                                       // 93
    "Loading list",                                                                      // 94
    "Make Access database (MDB)",                                                        // 95
    "&List my roms",                                                                     // 96
    "Make games' files",                                                                 // 97
    "Personal &notes",                                                                   // 98
    "&Write a note for a game",                                                          // 99
    "",                                                                                  // 100
    "&Download data files",                                                              // 101
    "Set &paths",                                                                        // 102
    "&Links",                                                                            // 103
    "The file Arcanote.mdx can't be found.|Impossible to continue !",                    // 104
    "Can't create file.|Debugging info : ",                                              // 105
    "Transfering personal notes...",                                                     // 106
    "New Access file (MDB)",                                                             // 107
    "The MDB file already exists. Do you want to replace it ?",                          // 108
    "Update game and clone data from MAME.",                                             // 109
    "",                                                                                  // 110
    "Unknown",                                                                           // 111
    "Analysing ",                                                                        // 112
    "No rom could be found in",                                                          // 113
    " scanned file(s).",                                                                 // 114
    " listed roms.",                                                                     // 115
    "All files (*.*)|*.*|Ini files (*.ini)|*.ini|",                                      // 116
    "L&anguages",                                                                        // 117
    "Others",                                                                            // 118
    "&Quit",                                                                             // 119
    "",                                                                                  // 120
    "Supported roms : ",                                                                 // 121
    " working roms",                                                                     // 122
    " working roms with preliminary colors",                                             // 123
    " working roms with preliminary sounds",                                             // 124
    " working roms without flipscreen",                                                  // 125
    " non working roms for which there is a working clone",                              // 126
    "Finaly, ",                                                                          // 127
    " roms are playable.",                                                               // 128
    " different genres are listed",                                                      // 129
    "",                                                                                  // 130
    " different categories are listed",                                                  // 131
    " different manufacturers or licenses are listed",                                   // 132
    " roms are supported in Hiscore.dat",                                                // 133
    " roms are supported in Cheat.dat",                                                  // 134
    " roms are mature games",                                                            // 135
    " roms are supported in Command.dat",                                                // 136
    " roms are supported in History.dat",                                                // 137
    "&Translations",                                                                     // 138
    "&Copy notes into an Access database",                                               // 139
    "",                                                                                  // 140
    "&Read me",                                                                          // 141
    "Can't find readme file.",                                                           // 142
    "Choose actions you want to execute. Before proceeding, you can check your paths.",  // 143
    "Download data",                                                                     // 144
    "Make a new database",                                                               // 145
    "List my roms into the database",                                                    // 146
    "Create game list",                                                                  // 147
    "Paths",                                                                             // 148
    "Wizard finished.",                                                                  // 149
    "",                                                                                  // 150
    "A log file exists.|Do you want to delete it ?",                                     // 151
    "Translation",                                                                       // 152
    "&Edit Dictionaries",                                                                // 153
    "&Translate",                                                                        // 154
    "Can't find dictionnary",                                                            // 155
    "All files (*.*)|*.*|Dat files (*.dat)|*.dat|",                                      // 156
    "Translating...",                                                                    // 157
    "Copy all art files found",                                                          // 158
    "",                                                                                  // 159
    "Images",                                                                            // 160
    "Data",                                                                              // 161
    "All files",                                                                         // 162
    "Files",                                                                             // 163
    "Create art file paths from Mame's path",                                            // 164
    "Create data file paths from Mame's path",                                           // 165
    "Art file paths will be created|automaticaly from Mame's path.|Do you confirm ?",    // 166
    "Data file paths will be created|automaticaly from Mame's path.|Do you confirm ?",   // 167
    "Data will be copied into INI and DAT folders of Arcanote. If you select the following option, "
    "they will be also copied into the folders you have defined.",  // 168
    "Copy data into defined folders",                               // 169
    "Copying files...",                                             // 170
    "Use the data saved into defined paths.",                       // 171
    "Use the data saved into Arcanote.",                            // 172
    "Original game art for clones",                                 // 173
    "&Help",                                                        // 174
    "Can't find manual file.",                                      // 175
    "Use expert mode",                                              // 176
    "Use expert mode only",                                         // 177
    "The expert mode uses -listxml option in MAME to get more information about roms and their "
    "emulation. You can use it with the data analysing or instead of the data analysing.",  // 178
    "Can't find listxml.txt, impossible to use expert mode.",                               // 179
    "XML analysing...",                                                                     // 180
    "Are you sure you want to cancel ?",                                                    // 181
    "Arcanote database to use",                                                             // 182
    "Path to Arcanote rom files",                                                           // 183
    "Keyword",                                                                              // 184
    "More options to search",                                                               // 185
    "Results",                                                                              // 186
    "Use Arcanote rom files to display results",                                            // 187
    "Year :",                                                                               // 188
    "Manufacturer :",                                                                       // 189
    "Genre :",                                                                              // 190
    "Players :",                                                                            // 191
    "Screen orientation :",                                                                 // 192
    "Category :",                                                                           // 193
    "&Display",                                                                             // 194
    "&Find",                                                                                // 195
    "&Close",                                                                               // 196
    "Search...",                                                                            // 197
    "Path to game files",                                                                   // 198
    "The HTML file of the rom can't be found.",                                             // 199
    "Save INI file",                                                                        // 200
    "The INI file already exists. Do you want to overwrite ?",                              // 201
    "File saved.",                                                                          // 202
    "Edit",                                                                                 // 203
    "&Find",                                                                                // 204
    "All",                                                                                  // 205
    "All",                                                                                  // 206
    "Status :",                                                                             // 207
    "Buttons :",                                                                            // 208
    "Controls :",                                                                           // 209
    "Clones :",                                                                             // 210
    "Mature :",                                                                             // 211
    "Driver :",                                                                             // 212
    "Bios :",                                                                               // 213
    "Search",                                                                               // 214
    "Options",                                                                              // 215
    "Clones only",                                                                          // 216
    "No clone",                                                                             // 217
    "Available roms",                                                                       // 218
    "Missing roms",                                                                         // 219
    "Mature only",                                                                          // 220
    "No mature",                                                                            // 221
    "&Make INI file",                                                                       // 222
    "Replacement image when no image found",                                                // 223
    "Checking images",                                                                      // 224
    "Available roms",                                                                       // 225
    "Unavailable roms",                                                                     // 226
    "&Display",                                                                             // 227
    "Available :",                                                                          // 228
    "Can't open database.",                                                                 // 229
    "Database created.",                                                                    // 230
    "&Delete",                                                                              // 231
    "&Move",                                                                                // 232
    "&Copy",                                                                                // 233
    "All listed roms will be deleted.Do you confirm ?",                                     // 234
    "Backup folder doesn't exist. Can't backup. Do you want to continue ?",                 // 235
    "Deleting",                                                                             // 236
    "Folder where to move roms",                                                            // 237
    "Do you confirm moving roms ?",                                                         // 238
    "Moving",                                                                               // 239
    "Folder where to copy roms",                                                            // 240
    "Do you confirm copying roms ?",                                                        // 241
    "Copying",                                                                              // 242
    "Backup before deleting a rom",                                                         // 243
    "Do a backup in this folder :",                                                         // 244
    "Source path",                                                                          // 245
    "Destination path",                                                                     // 246
    "Zipping...",                                                                           // 247
    "Deleting...",                                                                          // 248
    "Unzipping...",                                                                         // 249
    "This option zips all the sub-folder roms of a folder. You can also do the contrary : you can "
    "unzip the zipped roms of a folder in sub-folders.",                     // 250
    "Delete when operation done",                                            // 251
    "&Zip all",                                                              // 252
    "&Unzip all",                                                            // 253
    "Do you confirm that images without available rom should be deleted ?",  // 254
    "Images",                                                                // 255
    "&Delete images without rom",                                            // 256
    "&Copy images that have rom from the source folder",                     // 257
    "Source folder of images to be copied",                                  // 258
    "&Zip and Unzip",                                                        // 259
    "&Images",                                                               // 260
    "If you wrote notes with an older version|Arcanote can retrieve them now. If you answer "
    "No,|your notes will be lost.|Do you want to retrieve your notes ?",         // 261
    "Can't open database. Select or create a database before writting a note.",  // 262
    "The file NOTES.TXT doesn't exist. Please, write a note first.",             // 263
    "XML analysis method",                                                       // 264
    "Arcanote (better, faster)",                                                 // 265
    "Older méthod (slower)",                                                     // 266
    "Forced Arcanote method",                                                    // 267
    "&Update an Access database",                                                // 268
    "Update an Access database",                                                 // 269
    "Update an Access file (MDB)",                                               // 270
    "Extract the data from MAME",                                                // 271
    "Use the defined paths",                                                     // 272
    "Use Arcanote's data",                                                       // 273
    "Update",                                                                    // 274
    "Updating",                                                                  // 275
    "The .MDB file cannot be found.",                                            // 276
    "No option was selected.",                                                   // 277
    "Cannot open the file",                                                      // 278
    "The update is not complete:",                                               // 279
    ": the emulator failed",                                                     // 280
    ": no list imported",                                                        // 281
    ": file not found",                                                          // 282
    "Database error: ",                                                          // 283
    "<html><body><p>&nbsp;GENERAL STATISTICS<br><br><br>All sets<br><br>[001]<br>All games (clones "
    "excluded)<br><br>[002]<br>All clones<br><br>[003]<br><br><br>STATISTICS OF THE AVAILABLE "
    "SETS<br><br><br>All available sets<br><br>[004]<br>Available games (clones "
    "excluded)<br><br>[005]<br>Available clones<br><br>[006]<br>&nbsp;</p></body></html>",  // 284
    "\r\nis the template of every database; a build never replaces it. Choose another file.",  // 285
    "\r\nis not a whole list of the emulator (-listxml): it does not end with </mame>.",    // 286
    "The database was not created:\r\n",                                                    // 287
    " cannot be opened (the error is in the log)",                                          // 288
    "The game files were not all written (see the log):\r\n",                               // 289
    "The criteria changed since the last search: click Find to list the games to act on.",  // 290
    "This file could not be written.",                                                      // 291
    "These sets had both a .zip and a .7z archive; both were deleted:",                     // 292
    "These sets had both a .zip and a .7z archive; both were moved:",                       // 293
    "These sets had both a .zip and a .7z archive; both were copied:",                      // 294
    "These images could not be copied:",                                                    // 295
    "These images could not be moved to the trash:",                                        // 296
    "Not downloaded: ",                                                                     // 297
    " (see the log).",                                                                      // 298
    "No file was ticked: nothing was downloaded. The files already in the Download folder were put "
    "in place.",                                               // 299
    "Audit",                                                   // 300
    "complete",                                                // 301
    "best available",                                          // 302
    "incomplete",                                              // 303
    "bad",                                                     // 304
    "unreadable",                                              // 305
    "not audited",                                             // 306
    "&Audit my ROMs",                                          // 307
    "Audit of my ROMs",                                        // 308
    "Set|Verdict|Needed|Found|Missing|Bad|Unneeded|Problems",  // 309
    "&Audit",                                                  // 310
    "Audit of the owned sets: ",                               // 311
    "The audit is not part of this build.",                    // 312
    " set(s) audited.",                                        // 313
    "Emulator used: ",                                         // 314
    "none found",                                              // 315
    "This file or folder does not exist.",                     // 316
};

const std::array<std::string_view, kDesignedTextEntries> kFrenchTexts = {
    "Écran de titre du jeu.",                                            // 0
    "Écran de jeu.",                                                     // 1
    "Marquee (frontont de la borne).",                                   // 2
    "Borne.",                                                            // 3
    "Control panel (boutons et manettes de la borne).",                  // 4
    "Affiche.",                                                          // 5
    "introuvable. Impossible de continuer.",                             // 6
    "ERREUR - Message pour 'debugging :",                                // 7
    "Ouverture fichier Access (MDB)",                                    // 8
    "Fichier Access (*.MDB)|*.mdb|Tous les fichiers (*.*)|*.*|",         // 9
    "&Traitement",                                                       // 10
    "&Options",                                                          // 11
    "A propos de Arcanote ...",                                          // 12
    "Télécharger les fichiers de données",                               // 13
    "Chemin vers MAME (ou Mame32)",                                      // 14
    "Chemin vers les ROMs",                                              // 15
    "Chemins des fichiers graphiques",                                   // 16
    "Chemins des fichiers sources de données",                           // 17
    "Auto",                                                              // 18
    "Chemins",                                                           // 19
    "Aucun fichier n'a pu être trouvé. Faites une recherche manuelle.",  // 20
    "Fichiers exe (*.exe)|*.exe|Tous les fichiers",                      // 21
    "Sélectionnez le dossier contenant les roms.",                       // 22
    "Sélectionnez le dossier pour ",                                     // 23
    "Travail en cours...",                                               // 24
    "Création de la liste des roms",                                     // 25
    "Chemin où créer les fichiers",                                      // 26
    "Ne prendre en compte que les roms disponibles",                     // 27
    "Exclure les clones",                                                // 28
    "Exclure les roms ne fonctionnant pas",                              // 29
    "Ne pas copier les images des titres",                               // 30
    "Ne pas copier les images des écrans",                               // 31
    "Ne pas copier les images des marquees",                             // 32
    "Ne pas copier les images des bornes",                               // 33
    "Ne pas copier les images des control panels",                       // 34
    "Ne pas copier les images des flyers",                               // 35
    "Créer",                                                             // 36
    "Choix d'un dossier pour sauver les fiches des jeux.",               // 37
    "Le dossier de destination n'est pas vide.",                         // 38
    "Voulez-vous l'effacer ?",                                           // 39
    "Annuler",                                                           // 40
    "Confirmez-vous l'effacement de tout le contenu de : ",              // 41
    "Effacement...",                                                     // 42
    "Impossible de créer",                                               // 43
    "Traitement...",                                                     // 44
    "Aucune donnée avec ces critères|n'a pu être trouvée.",              // 45
    " roms à traiter.",                                                  // 46
    "Jeu original (Set).",                                               // 47
    "NE FONCTIONNE PAS",                                                 // 48
    "FONCTIONNE",                                                        // 49
    "&Suite",                                                            // 50
    "NON CONFORMES",                                                     // 51
    "CONFORMES",                                                         // 52
    "NON",                                                               // 53
    "OUI",                                                               // 54
    "Création de la liste générale",                                     // 55
    "LISTE_COMPLETE",                                                    // 56
    "LISTE COMPLETE",                                                    // 57
    "[Inconnu]",                                                         // 58
    "EDITEURS_",                                                         // 59
    "&Retour",                                                           // 60
    "ÉDITEURS",                                                          // 61
    "GENRES",                                                            // 62
    "Création de la liste des éditeurs",                                 // 63
    "Création de la liste des genres",                                   // 64
    "Création de la liste des catégories",                               // 65
    "CATÉGORIES",                                                        // 66
    "CATEGORY",                                                          // 67
    "Création de la liste des années",                                   // 68
    "ANNÉES",                                                            // 69
    "&Fermer",                                                           // 70
    "YEARS",                                                             // 71
    "Création de la liste des versions",                                 // 72
    "VERSIONS DE MAME",                                                  // 73
    "VERSIONS",                                                          // 74
    "Statistiques",                                                      // 75
    "Liste complète",                                                    // 76
    "Liste des éditeurs",                                                // 77
    "Liste des genres",                                                  // 78
    "Liste des catégories",                                              // 79
    "",                                                                  // 80
    "Liste des sorties par année",                                       // 81
    "Jeux par version de MAME",                                          // 82
    "Liens",                                                             // 83
    "Extraction des fichiers graphiques",                                // 84
    "Téléchargement des données",                                        // 85
    "Cochez les fichiers à télécharger. Parfois il faut aller sur le site pour télécharger "
    "le fichier et l'enregistrer dans le dossier Download de Arcanote.",    // 86
    "Téléchargement en cours...",                                           // 87
    "&Télécharger",                                                         // 88
    "Le dossier Download n'est pas vide.|Voulez-vous le vider ?",           // 89
    "",                                                                     // 90
    "Décompression...",                                                     // 91
    "Opération terminée.",                                                  // 92
    "Choix du jeu",                                                         // 93
    "Chargement liste",                                                     // 94
    "Créer une base access (MDB)",                                          // 95
    "&Lister mes Roms",                                                     // 96
    "Créer les &fiches des jeux",                                           // 97
    "&Notes personnelles",                                                  // 98
    "&Rédiger une note sur un jeu",                                         // 99
    "",                                                                     // 100
    "&Télécharger les fichiers de données",                                 // 101
    "&Définir les chemins",                                                 // 102
    "&Liens",                                                               // 103
    "Le fichier Arcanote.mdx est introuvable.|Impossible de continuer !",   // 104
    "Impossible de créer le fichier.|Info de 'debuggage : ",                // 105
    "Transfert des notes personnelles...",                                  // 106
    "Nouveau fichier Access (MDB)",                                         // 107
    "Le fichier MDB existe déjà. Voulez-vous le remplacer par celui-ci ?",  // 108
    "Mettre à jour les données des jeux et des clones à partir de MAME.",   // 109
    "",                                                                     // 110
    "Indéterminé",                                                          // 111
    "Traitement de ",                                                       // 112
    "Aucune rom n'a pu être trouvée dans",                                  // 113
    " fichier(s) scanné(s).",                                               // 114
    " roms répertoriées.",                                                  // 115
    "Tous les fichiers (*.*)|*.*|Fichiers ini (*.ini)|*.ini|",              // 116
    "L&angues",                                                             // 117
    "&Autres",                                                              // 118
    "&Quitter",                                                             // 119
    "",                                                                     // 120
    "Total des roms émulées : ",                                            // 121
    " roms fonctionnent à 100%",                                            // 122
    " roms fonctionnent mais les couleurs ne sont pas correctes",           // 123
    " roms fonctionnent mais les sons ne sont pas corrects",                // 124
    " roms fonctionnent mais l'écran ne peut être mis en cocktail",         // 125
    " roms ne fonctionnant pas ont un clone qui fonctionne",                // 126
    "Au total, ",                                                           // 127
    " roms sont jouables.",                                                 // 128
    " genres différents ont été référencés",                                // 129
    "",                                                                     // 130
    " catégories différentes ont été référencées",                          // 131
    " éditeurs ou licences identifiés",                                     // 132
    " roms sont supportées dans Hiscore.dat (enregistrement des scores)",   // 133
    " roms sont supportées dans Cheat.dat (pour tricher dans les jeux)",    // 134
    " roms sont identifiées comme étant des jeux pour adulte",              // 135
    " roms sont supportées dans Command.dat (commandes du jeu)",            // 136
    " roms sont supportées dans History.dat (histoire du jeu)",             // 137
    "&Traductions",                                                         // 138
    "&Copier les notes dans une base Access",                               // 139
    "",                                                                     // 140
    "&Lisez moi",                                                           // 141
    "Impossible de trouver le fichier Lisezmoi.txt",                        // 142
    "Choisissez les actions que vous souhaitez executer. Avant de continuer, vous pouvez "
    "vérifier que les chemins sont bien définis.",               // 143
    "Télécharger les données",                                   // 144
    "Créer une nouvelle base de données",                        // 145
    "Lister mes roms dans la base de données",                   // 146
    "Créer les fiches des jeux",                                 // 147
    "Chemins",                                                   // 148
    "Wizard terminé.",                                           // 149
    "",                                                          // 150
    "Un fichier log est déjà présent.|Voulez-vous l'effacer ?",  // 151
    "Traduction",                                                // 152
    "&Editer les dictionnaires",                                 // 153
    "&Lancer la traduction",                                     // 154
    "Dicionnaire introuvable.",                                  // 155
    "Tous les fichiers (*.*)|*.*|Fichiers dat (*.dat)|*.dat|",   // 156
    "Traduction en cours",                                       // 157
    "Copier tous les fichiers images présents",                  // 158
    "",                                                          // 159
    "Images",                                                    // 160
    "Données",                                                   // 161
    "Tous les fichiers",                                         // 162
    "Fichiers",                                                  // 163
    "Définir les chemins des images à partir du chemin Mame",    // 164
    "Définir les chemins des données à partir du chemin Mame",   // 165
    "Les chemins des fichiers images vont être|construits automatiquement à partir|du "
    "chemin de Mame. Confirmez-vous ?",  // 166
    "Les chemins des fichiers de données vont être|construits automatiquement à partir|du "
    "chemin de Mame. Confirmez-vous ?",  // 167
    "Les données seront copiées dans les dossiers INI et DAT de Arcanote. Si vous cochez "
    "l'option suivante, elles seront également copiés dans les chemins que vous avez "
    "définis.",                                                // 168
    "Copier les données dans les chemins définis.",            // 169
    "Copie des fichiers...",                                   // 170
    "Utiliser les données sauvées dans les chemins définis.",  // 171
    "Utiliser les données sauvées dans Arcanote.",             // 172
    "Images de l'original pour les clones",                    // 173
    "&Aide",                                                   // 174
    "Impossible de trouver le fichier manuel.",                // 175
    "Appliquer le mode expert",                                // 176
    "Mode expert uniquement",                                  // 177
    "Le mode expert utilise l'option -listxml de MAME afin d'obtenir un maximum "
    "d'informations sur les roms et leur émulation. Vous pouvez l'appliquer en plus du "
    "traitement des données ou à la place de ce traitement.",           // 178
    "Fichier listxml.txt introuvable. Mode expert impossible.",         // 179
    "Analyse XML ...",                                                  // 180
    "Confirmez-vous l'annulation ?",                                    // 181
    "Base Arcanote à utiliser",                                         // 182
    "Chemin d'accés aux fiches des jeux Arcanote",                      // 183
    "Mot clé :",                                                        // 184
    "Affiner la recherche",                                             // 185
    "Résultats",                                                        // 186
    "Utiliser les fiches des roms Arcanote pour afficher le résultat",  // 187
    "Année :",                                                          // 188
    "Éditeur :",                                                        // 189
    "Genre :",                                                          // 190
    "Joueurs :",                                                        // 191
    "Orientation écran :",                                              // 192
    "Catégorie :",                                                      // 193
    "&Afficher",                                                        // 194
    "&Rechercher",                                                      // 195
    "&Fermer",                                                          // 196
    "Recherche...",                                                     // 197
    "Chemin des fiches des jeux",                                       // 198
    "Le fichier HTML de la rom est introuvable.",                       // 199
    "Sauvegarder fichier INI",                                          // 200
    "Le fichier INI existe déjà. Voulez-vous le remplacer ?",           // 201
    "Opération terminée.",                                              // 202
    "Edition",                                                          // 203
    "&Rechercher",                                                      // 204
    "Tous",                                                             // 205
    "Toutes",                                                           // 206
    "Statut",                                                           // 207
    "Boutons",                                                          // 208
    "Contrôle",                                                         // 209
    "Clones :",                                                         // 210
    "Adulte :",                                                         // 211
    "Driver :",                                                         // 212
    "Bios :",                                                           // 213
    "Recherche",                                                        // 214
    "Options",                                                          // 215
    "Clones uniquement",                                                // 216
    "Sans les clones",                                                  // 217
    "Roms disponibles",                                                 // 218
    "Roms non disponibles",                                             // 219
    "Jeux adultes uniquement",                                          // 220
    "Sans jeux adultes",                                                // 221
    "&Générer fichier INI",                                             // 222
    "Images de substitution en cas d'absence",                          // 223
    "Inspection des images",                                            // 224
    "Roms disponibles",                                                 // 225
    "Roms non disponibles",                                             // 226
    "&Consulter",                                                       // 227
    "Disponible :",                                                     // 228
    "Impossible d'ouvrir la base.",                                     // 229
    "Base de données créée.",                                           // 230
    "&Effacer",                                                         // 231
    "&Déplacer",                                                        // 232
    "&Copier",                                                          // 233
    "Toutes les roms listées vont être effacées. Confirmez-vous ?",     // 234
    "Le dossier de backup n'existe pas. La backup des roms ne sera pas possible. "
    "Voulez-vous continuer ?",                     // 235
    "Effacement",                                  // 236
    "Dossier où déplacer les roms",                // 237
    "Confirmez-vous le déplacement des roms ?",    // 238
    "Déplacement",                                 // 239
    "Dossier où copier les roms",                  // 240
    "Confirmez-vous la copie des roms ?",          // 241
    "Copie",                                       // 242
    "Backup avant d'effacer une rom",              // 243
    "Faire une backup dans le dossier suivant :",  // 244
    "Chemin source",                               // 245
    "Chemin de destination",                       // 246
    "Zipping...",                                  // 247
    "Effacement...",                               // 248
    "Unzipping...",                                // 249
    "Cette option vous permet de zipper toutes les roms d'un dossier rangées en "
    "sous-dossiers. Vous pouvez aussi faire l'opération inverse, c'est à dire dézipper "
    "dans des sous-dossiers les roms d'un dossier.",  // 250
    "Effacer une fois l'opération réalisée",          // 251
    "&Zipper tout",                                   // 252
    "&Dézipper tout",                                 // 253
    "Confirmez-vous l'effacement des images pour lesquelles il n'y a pas de rom disponible "
    "?",                                                       // 254
    "Gestion des images",                                      // 255
    "&Effacer les images sans roms",                           // 256
    "&Copier les images des roms à partir du dossier source",  // 257
    "Dossier source des images à copier",                      // 258
    "&Zip et Unzip",                                           // 259
    "&Gestion des images",                                     // 260
    "Si vous avez rédigé des notes avec une ancienne version|Arcanote peut les récupérer "
    "maintenant. Si vous répondez Non,|les anciennes notes seront perdues.|Voulez-vous "
    "récupérer vos anciennes notes ?",  // 261
    "Impossible d'ouvrir la base de données. Sélectionnez ou créez une base avant de "
    "rédiger une note.",                                                      // 262
    "Le fichier NOTES.TXT n'existe pas. Veuillez d'abord rédiger une note.",  // 263
    "Méthode d'analyse XML",                                                  // 264
    "Méthode Arcanote (conseillée, plus rapide)",                             // 265
    "Ancienne méthode (plus lente)",                                          // 266
    "Méthode Arcanote obligée",                                               // 267
    "&Mettre à jour une base access",                                         // 268
    "Mise à jour d'une base access",                                          // 269
    "Mise à jour d'un fichier Access (MDB)",                                  // 270
    "Extraire les données de MAME",                                           // 271
    "Utiliser les chemins définis",                                           // 272
    "Utiliser les données d'Arcanote",                                        // 273
    "Mettre à jour",                                                          // 274
    "Mise à jour",                                                            // 275
    "Le fichier .MDB est introuvable.",                                       // 276
    "Aucune option n'a été sélectionnée.",                                    // 277
    "Impossible d'ouvrir le fichier",                                         // 278
    "La mise à jour n'est pas complète :",                                    // 279
    " : échec de l'émulateur",                                                // 280
    " : aucune liste importée",                                               // 281
    " : fichier introuvable",                                                 // 282
    "Erreur de la base de données : ",                                        // 283
    "<html><body><p>&nbsp;STATISTIQUES GÉNÉRALES<br><br><br>Ensemble des "
    "roms<br><br>[001]<br>Ensemble des jeux (clones exclus)<br><br>[002]<br>Ensemble des "
    "clones<br><br>[003]<br><br><br>STATISTIQUES ROMS DISPONIBLES<br><br><br>Ensemble des roms "
    "disponibles<br><br>[004]<br>Ensemble des jeux (clones exclus) émulés à "
    "100%<br><br>[005]<br>Ensemble des jeux (clones exclus) qui fonctionnent, émulation "
    "incomplète<br><br>[006]<br>&nbsp;</p></body></html>",  // 284
    "\r\nest le modèle de toutes les bases ; une création ne le remplace jamais. Choisissez un "
    "autre fichier.",  // 285
    "\r\nn'est pas une liste complète de l'émulateur (-listxml) : elle ne se termine pas par "
    "</mame>.",                                                        // 286
    "La base de données n'a pas été créée :\r\n",                      // 287
    " ne peut pas être ouvert (l'erreur est dans le journal)",         // 288
    "Les fiches n'ont pas toutes été créées (voir le journal) :\r\n",  // 289
    "Les critères ont changé depuis la dernière recherche : cliquez sur Rechercher pour lister les "
    "jeux concernés.",                                                                       // 290
    "Ce fichier n'a pas pu être écrit.",                                                     // 291
    "Ces jeux avaient une archive .zip et une archive .7z ; les deux ont été supprimées :",  // 292
    "Ces jeux avaient une archive .zip et une archive .7z ; les deux ont été déplacées :",   // 293
    "Ces jeux avaient une archive .zip et une archive .7z ; les deux ont été copiées :",     // 294
    "Ces images n'ont pas pu être copiées :",                                                // 295
    "Ces images n'ont pas pu être mises à la corbeille :",                                   // 296
    "Non téléchargés : ",                                                                    // 297
    " (voir le journal).",                                                                   // 298
    "Aucun fichier n'a été coché : rien n'a été téléchargé. Les fichiers déjà présents dans le "
    "dossier Download ont été mis en place.",                          // 299
    "Vérification",                                                    // 300
    "complet",                                                         // 301
    "meilleur dump disponible",                                        // 302
    "incomplet",                                                       // 303
    "mauvais",                                                         // 304
    "illisible",                                                       // 305
    "non vérifié",                                                     // 306
    "&Vérifier mes roms",                                              // 307
    "Vérification de mes roms",                                        // 308
    "Jeu|Verdict|Requis|Trouvés|Manquants|Mauvais|En trop|Problèmes",  // 309
    "&Vérifier",                                                       // 310
    "Vérification des roms possédées : ",                              // 311
    "La vérification ne fait pas partie de cette version.",            // 312
    " jeu(x) vérifié(s).",                                             // 313
    "Émulateur utilisé : ",                                            // 314
    "aucun trouvé",                                                    // 315
    "Ce fichier ou ce dossier n'existe pas.",                          // 316
};

const std::vector<AddedTextEntry> kAddedTexts = {
    // 317-319: the audit and the browser.
    // 320-339: the build, the update and the database.
    {320, "another build of this database is running",
     "une autre construction de cette base est en cours"},
    {321, " was made by an older version: run update or build.",
     " a été faite par une version plus ancienne : lancez la mise à jour ou la construction."},
    {322, " is not an Arcanote database.", " n'est pas une base d'Arcanote."},
    {323, " was made by a newer version of Arcanote.",
     " a été faite par une version plus récente d'Arcanote."},
    {324,
     " is not a settings file of Arcanote: it is kept as it is, the default settings are used "
     "and nothing is saved over it.",
     " n'est pas un fichier de réglages d'Arcanote : il est gardé tel quel, les réglages par "
     "défaut sont utilisés et rien n'est écrit à sa place."},
    {325, "Yes: build a new database. No: choose another one.",
     "Oui : construire une nouvelle base. Non : en choisir une autre."},
    // 340-359: the ROM folder, search, zip all and images.
    {340, " set(s) added to the owned ones.", " jeu(x) ajouté(s) aux jeux possédés."},
    {341, " set(s) no longer found, no longer owned.",
     " jeu(x) qui ne sont plus là, plus possédés."},
    {342, " archive(s) not found in the ROM folder ",
     " archive(s) introuvable(s) dans le dossier des roms "},
    {343, "These sources were kept because the operation failed:",
     "Ces sources ont été gardées car l'opération a échoué :"},
    {344, "The operation failed for:", "L'opération a échoué pour :"},
    {345, "The packer myzip is not installed beside the program.",
     "Le compacteur myzip n'est pas installé à côté du programme."},
    {346, "This database cannot be read: ", "Cette base de données ne peut pas être lue : "},
    {347, "The destination folder is the ROM folder itself.",
     "Le dossier de destination est le dossier des roms lui-même."},
    {348, "No ROM was found in the ROM folder:",
     "Aucune ROM n'a été trouvée dans le dossier des ROMs :"},
    {349, "These archives were kept because their backup or their deletion failed:",
     "Ces archives ont été conservées car leur sauvegarde ou leur suppression a échoué :"},
    {350, "These archives were kept in the ROM folder because their copy failed:",
     "Ces archives sont restées dans le dossier des roms car leur copie a échoué :"},
    {351, "These archives could not be copied:", "Ces archives n'ont pas pu être copiées :"},
    {352, "No such folder: ", "Ce dossier n'existe pas : "},
    // 360-379: the site of game sheets.
    {360, "The folder ", "Le dossier "},
    {361, " is not writable.", " n'est pas accessible en écriture."},
    {362,
     " holds the program's own files (settings, database, skins): it is not emptied; the game "
     "files are written into it without deleting anything.",
     " contient les fichiers du programme (réglages, base de données, skins) : il n'est pas "
     "vidé, les fiches y sont créées sans rien effacer."},
    {363, " art archive(s) held members that were not extracted (see the log).",
     " archive(s) d'images contenai(en)t des fichiers qui n'ont pas été extraits (voir le "
     "journal)."},
    // 380-399: archives, downloads, translation and the wizard.
    {380, "%1: no such archive.", "%1 : cette archive n'existe pas."},
    {381, "%1 is not a ZIP archive.", "%1 n'est pas une archive ZIP."},
    {382, "No ZIP archive is open.", "Aucune archive ZIP n'est ouverte."},
    {383, "%1 is compressed with a method that is not supported.",
     "%1 est compressé par une méthode non prise en charge."},
    {384, "%1 is damaged (checksum error); it was not written.",
     "%1 est endommagé (erreur de somme de contrôle) ; il n'a pas été écrit."},
    {385, "%1 already exists.", "%1 existe déjà."},
    {386, "%1 cannot be replaced.", "%1 ne peut pas être remplacé."},
    {387, "The folder %1 cannot be created.", "Le dossier %1 ne peut pas être créé."},
    {388, "%1 would be written outside %2; it was skipped.",
     "%1 serait écrit hors de %2 ; il a été ignoré."},
    {389, "The directory of %1 is damaged.", "Le répertoire de %1 est endommagé."},
    {390, "The data of %1 cannot be read in %2.", "Les données de %1 sont illisibles dans %2."},
    {391, "%1 cannot be written: %2", "%1 ne peut pas être écrit : %2"},
    {392, "The address is empty: type the address of the file.",
     "L'adresse est vide : saisissez l'adresse du fichier."},
    {393, "Files translated and written:", "Fichiers traduits et écrits :"},
    {394, "No file was translated.", "Aucun fichier n'a été traduit."},
    {395, "Translation failed (files left as they were):",
     "La traduction a échoué (fichiers laissés tels quels) :"},
    {396, "cancelled", "annulé"},
    {397, "not done (see the messages before this one)", "non fait (voir les messages précédents)"},
    {398, "its window was closed", "sa fenêtre a été fermée"},
    {399, "%1 cannot be read: %2", "%1 ne peut pas être lu : %2"},
    // 400-419: the desktop windows.
    {400, "&Use another database...", "&Utiliser une autre base..."},
    {401, "The audit was cancelled: the previous audit is kept.",
     "La vérification a été annulée : la vérification précédente est gardée."},
    // 420-449: software lists.
    {420, "Software lists (consoles, computers, handhelds)",
     "Listes de logiciels (consoles, ordinateurs, portables)"},
    {421, " software item(s) owned.", " logiciel(s) possédé(s)."},
    {422, "&Software browser", "Parcourir les &logiciels"},
    // 450-479: the user's own data and full-text search.
    {450, "This database has no full-text index yet: run build or update.",
     "Cette base n'a pas encore d'index plein texte : lancez la création ou la mise à jour."},
    {451, "In the History, Mameinfo and Command texts",
     "Dans les textes History, Mameinfo et Command"},
    {452, "Favourites only", "Favoris seulement"},
    {453, "Years from:", "Années de :"},
    {454, "to:", "à :"},
    {455, "%1 favourite(s) written to %2", "%1 favori(s) écrit(s) dans %2"},
    {456, "%1 is not a game of the database %2", "%1 n'est pas un jeu de la base %2"},
    // 500-649: desktop captions.
    {500, "&Game browser", "&Parcourir les jeux"},
    {501, "Games", "Jeux"},
    {502, "The note could not be saved in ", "La note n'a pas pu être enregistrée dans "},
    {503, "Title or set name", "Titre ou nom du jeu"},
    {504, "Search the words in the History, Mameinfo and Command texts",
     "Chercher les mots dans les textes History, Mameinfo et Command"},
    {505, "Details", "Détails"},
    {506, "History", "Historique"},
    {507, "Commands", "Commandes"},
    {508, "Save the note", "Enregistrer la note"},
    {509, "Note", "Note"},
    {510, "&Play", "&Jouer"},
    {511, "&Sheet", "&Fiche"},
    {512, "No database is set: make one (Tasks menu) or choose one in the paths window.",
     "Aucune base n'est définie : créez-en une (menu Traitements) ou choisissez-la dans la fenêtre "
     "des chemins."},
    {513, "%1 games", "%1 jeux"},
    {514, "%1 of %2 games", "%1 sur %2 jeux"},
    {515, "Play with options", "Jouer avec des options"},
    {516, "Emulator arguments after the set name (kept for this game):",
     "Arguments de l'émulateur après le nom du jeu (gardés pour ce jeu) :"},
    {517, "Play &with options...", "Jouer &avec des options..."},
    {518, "&Favourite", "&Favori"},
    {519, "Open the &ROM folder", "Ouvrir le dossier des &ROM"},
    {520, "&Copy the set name", "&Copier le nom du jeu"},
    {521, "Owned", "Possédés"},
    {522, "Working", "Fonctionnels"},
    {523, "No clones", "Sans clones"},
    {524, "No mature", "Sans jeux pour adultes"},
    {525, "Favourites", "Favoris"},
    {526, "Recently played", "Joués récemment"},
    {527, "In the texts", "Dans les textes"},
    {528, "From", "De"},
    {529, "To", "À"},
    {530, "Yes", "Oui"},
    {531, "Software", "Logiciels"},
    {532, "Filter: words of the name, title or publisher",
     "Filtre : mots du nom, du titre ou de l'éditeur"},
    {533, "All lists", "Toutes les listes"},
    {534, "No software lists in this database", "Pas de listes de logiciels dans cette base"},
    {535, "clone of ", "clone de "},
    {536, "Parts", "Parties"},
    {537, "Notes", "Notes"},
    {538, "Machines", "Machines"},
    {539, "No", "Non"},
    {540, "No such database file.", "Ce fichier de base n'existe pas."},
    {541, "Working", "Fonctionne"},
    {542, "Imperfect", "Imparfait"},
    {543, "Not working", "Ne fonctionne pas"},
    {544, "Audit", "Vérification"},
    {545, "Software lists", "Listes de logiciels"},
    {546, "No emulator was found: \"mame\" is not on the PATH.",
     "Aucun émulateur trouvé : \"mame\" n'est pas dans le PATH."},
    {547, "This emulator does not exist or cannot be run.",
     "Cet émulateur n'existe pas ou ne peut pas être lancé."},
    {548, "Choose the emulator in Options > Define paths, or install MAME.",
     "Choisissez l'émulateur dans Options > Définir les chemins, ou installez MAME."},
    {549, "The emulator could not be started:", "L'émulateur n'a pas pu être lancé :"},
    {550, "The emulator stopped with error ", "L'émulateur s'est arrêté avec l'erreur "},
    {551, "The game sheets have no page for ", "Les fiches des jeux n'ont pas de page pour "},
    {552, "Make the game sheets now?", "Créer les fiches des jeux maintenant ?"},
    {553, "Set", "Jeu"},
    {554, "Title", "Titre"},
    {555, "Year", "Année"},
    {556, "Manufacturer", "Fabricant"},
    {557, "Category", "Catégorie"},
    {558, "Players", "Joueurs"},
    {559, "Status", "État"},
    {560, "Owned", "Possédé"},
    {561, "\u2605", "\u2605"},
    {562, "Last played", "Dernière partie"},
    {563, "Plays", "Parties"},
    {564, "Time played", "Temps de jeu"},
    {565, "Set name", "Nom du jeu"},
    {566, "Genre", "Genre"},
    {567, "Controls", "Contrôles"},
    {568, "Buttons", "Boutons"},
    {569, "Screen", "Écran"},
    {570, "Orientation", "Orientation"},
    {571, "Resolution", "Résolution"},
    {572, "Aspect", "Format"},
    {573, "Refresh rate", "Fréquence"},
    {574, "Colours", "Couleurs"},
    {575, "Sound channels", "Canaux sonores"},
    {576, "Driver", "Pilote"},
    {577, "Emulation", "Émulation"},
    {578, "Graphics", "Graphismes"},
    {579, "Sound", "Son"},
    {580, "Colour emulation", "Émulation des couleurs"},
    {581, "Cocktail", "Cocktail"},
    {582, "Protection", "Protection"},
    {583, "Clone of", "Clone de"},
    {584, "ROMs of", "ROMs de"},
    {585, "Samples of", "Échantillons de"},
    {586, "BIOS", "BIOS"},
    {587, "Added in version", "Ajouté dans la version"},
    {588, "Cheats", "Astuces"},
    {589, "High scores", "Meilleurs scores"},
    {590, "Mature", "Pour adultes"},
    {591, "My notes", "Mes notes"},
    {592, "Name", "Nom"},
    {593, "Publisher", "Éditeur"},
    {594, "Supported", "Pris en charge"},
    {595, "Verdict", "Verdict"},
    {596, "Creating TRANSLATE.DIC.txt", "Création de TRANSLATE.DIC.txt"},
};

}  // namespace arc
