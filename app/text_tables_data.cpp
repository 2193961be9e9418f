// Every text the program shows, in Spanish, Portuguese, French, German, English and Italian.
// Stored as UTF-8; each one is representable in Windows-1252 and at most 99 characters long.
#include "app/text_tables.h"

namespace kalvor::text {

const LanguageRow lblLanguages = {"Idiomas", "Idiomas", "Langues", "Sprachen", "Languages", "Lingue"};
const LanguageRow lblStartMonth = {"Mes de inicio", "Mês de início", "Démarrer mois",
                                   "Anfangsmonat",  "Start month",   "Inizio mese"};
const LanguageRow lblStartYear = {"Año de inicio", "Ano de início", "Année début",
                                  "Anfangsjahr",   "Start year",    "Inizío anno"};
const LanguageRow lblLastMonth = {"Mes último",           "Mês passado", "Mois dernier",
                                  "Im vergangenen Monat", "Last month",  "Il mese scorso"};
const LanguageRow lblLastYear = {"Año último",   "Ano passado", "L'année dernière",
                                 "Letztes Jahr", "Last year",   "L'anno scorso"};
const LanguageRow lblDayShapes = {"Formas gráficas del día", "Dia formas gráficas", "Graphismes jours",
                                  "Grafische Tag",           "Graphic forms day",   "Forme grafiche giorno"};
const LanguageRow lblSaveSettings = {
    "Guardar la configuración", "Salvar configuraÇões", "Enregistrer les paramètres",
    "Einstellungen speichern",  "Save Settings",        "Salva impostazioni"};
const LanguageRow lblCancel = {"Cancelar", "Cancelar", "Annuler", "Stornieren", "Cancel", "Cancellarse"};
const LanguageRow lblAccept = {"Aceptar", "Aceitar", "Accepter", "Akzeptieren", "Accept", "Accettare"};
const LanguageRow ttlMessageBox = {"Programador",   "Programador", "Programmeur",
                                   "Programmierer", "Programmer",  "Programmatore"};
const LanguageRow msgBitmapSaved = {"Fichero grabado a bitmap",     "Gravou um arquivo bitmap",
                                    "Enregistré un fichier bitmap", "Erfasst eine Bitmap-Datei",
                                    "Recorded a bitmap file",       "Registrato un file bitmap"};
const LanguageRow msgFileDeleted = {"Fichero borrado", "Arquivo excluído", "Fichier supprimé",
                                    "Gelöschte Datei", "Deleted file",     "File eliminato"};
const LanguageRow ttlFileOperation = {"Operación con fichero", "OperaÇão de arquivo", "Opération de fichier",
                                      "Dateioperation",        "File operation",      "Operazione di file"};
const LanguageRow lblNameWithoutExtension = {
    "Nombre de fichero sin extensión", "Nome de arquivo sem extensão", "Nom de fichier sans extension",
    "Dateinamen ohne Erweiterung",     "Filename without extension",   "Nome del file senza estensione"};
const LanguageRow msgFileNameRequired = {"Tienes que escribir un nombre de fichero",
                                         "Você tem que escrever um nome de arquivo",
                                         "Vous devez écrire un nom de fichier",
                                         "Müssen Sie einen Dateinamen schreiben",
                                         "You have to write a filename",
                                         "Si deve scrivere un nome di file"};
const LanguageRow ttlFavouriteColours = {"Tus Colores Favoritos Cargalos y Guardalos",
                                         "Suas cores favoritas Carregá-los e salvá-los",
                                         "Vos couleurs préférées les charger et de les enregistrer",
                                         "Ihre Lieblingsfarben Legen Sie sie und speichern Sie sie",
                                         "Your favorite colors load them and save them",
                                         "I vostri colori preferiti caricarli e salvarli"};
const LanguageRow lblFile = {"Archivar", "Arquivo", "Fichier", "Datei", "File", "File"};
const LanguageRow lblGetOut = {"Salir", "Sair", "Sortez", "Aussteigen", "Get out", "Esci"};
const LanguageRow lblReset = {"Reseteo", "Restabelecer", "Remettre", "Rücksetzen", "Reset", "Reset"};
const LanguageRow lblSelectedColour = {"Color Seleccionado", "Cor selecionada", "Couleur sélectionnée",
                                       "Ausgewählten Farbe", "Selected color",  "Colore selezionato"};
const LanguageRow msgSaveBeforeExit = {"Desea guardar los cambios antes de Salir ?",
                                       "Para salvar as alteraÇões antes de sair ?",
                                       "Pour enregistrer les modifications avant de quitter ?",
                                       "Um Änderungen nicht zuvor speichern ?",
                                       "To save changes before exiting ?",
                                       "Per salvare le modifiche prima di uscire ?"};
const LanguageRow msgColoursFiled = {"Mis Colores Favoritos han sido Archivados",
                                     "Minhas cores preferidas são arquivados",
                                     "Mes couleurs préférées sont déposées",
                                     "Meine Lieblingsfarben sind eingereicht",
                                     "My favorite colors are filed",
                                     "I miei colori preferiti sono depositate"};

const std::array<LanguageRow, 2> msgSelectionError = {{
    {"Tienes que seleccionar en todos los controles", "Você tem que selecionar todos os controles",
     "Vous devez sélectionner tous les contrôles", "Sie müssen alle Kontrollen wählen",
     "You have to select all controls", "È necessario selezionare tutti i controlli"},
    {"O te excedes de meses", "Ou você exceder meses", "Ou vous dépassez mois",
     "Oder Monate nicht überschreiten", "Or you exceed months", "O si supera mesi"},
}};

const std::array<LanguageRow, 2> shapeNames = {{
    {"cuadrado", "quadrado", "carré", "platz", "square", "piazza"},
    {"círculo", "círculo", "cercle", "kreis", "circle", "cerchio"},
}};

const std::array<LanguageRow, kMonthsPerYear> monthNames = {{
    {"Enero", "Janeiro", "Janvier", "Januar", "January", "Gennaio"},
    {"Febrero", "Fevereiro", "Février", "Februar", "February", "Febbraio"},
    {"Marzo", "MarÇo", "Mars", "März", "March", "Marzo"},
    {"Abril", "Abril", "Avril", "April", "April", "Aprile"},
    {"Mayo", "Maio", "Mai", "Mai", "May", "Maggio"},
    {"Junio", "Junho", "Juin", "Juni", "June", "Giugno"},
    {"Julio", "Julho", "Juillet", "Juli", "July", "Luglio"},
    {"Agosto", "Agosto", "Août", "August", "August", "Agosto"},
    {"Septiembre", "Setembro", "Septembre", "September", "September", "Settembre"},
    {"Octubre", "Outubro", "Octobre", "Oktober", "October", "Ottobre"},
    {"Noviembre", "Novembro", "Novembre", "November", "November", "Novembre"},
    {"Diciembre", "Dezembro", "Décembre", "Dezember", "December", "Dicembre"},
}};

const std::array<LanguageRow, 7> weekdayNames = {{
    {"Lu", "Se", "Lu", "Mo", "Mo", "Lu"},
    {"Ma", "Te", "Ma", "Di", "Tu", "Ma"},
    {"Mi", "Qa", "Me", "Mi", "We", "Me"},
    {"Ju", "Qi", "Je", "Do", "Th", "Gi"},
    {"Vi", "Se", "Ve", "Fr", "Fr", "Ve"},
    {"Sá", "Sá", "Sa", "Sa", "Sa", "Sa"},
    {"Do", "Do", "Di", "So", "Su", "Do"},
}};

// Full names for reading a date aloud, as they stand inside a date: lower case where the language
// writes them so there.
const std::array<LanguageRow, 7> weekdayFullNames = {{
    {"lunes", "segunda-feira", "lundi", "Montag", "Monday", "lunedì"},
    {"martes", "terça-feira", "mardi", "Dienstag", "Tuesday", "martedì"},
    {"miércoles", "quarta-feira", "mercredi", "Mittwoch", "Wednesday", "mercoledì"},
    {"jueves", "quinta-feira", "jeudi", "Donnerstag", "Thursday", "giovedì"},
    {"viernes", "sexta-feira", "vendredi", "Freitag", "Friday", "venerdì"},
    {"sábado", "sábado", "samedi", "Samstag", "Saturday", "sabato"},
    {"domingo", "domingo", "dimanche", "Sonntag", "Sunday", "domenica"},
}};

const std::array<LanguageRow, kMonthsPerYear> monthNamesInDates = {{
    {"enero", "janeiro", "janvier", "Januar", "January", "gennaio"},
    {"febrero", "fevereiro", "février", "Februar", "February", "febbraio"},
    {"marzo", "março", "mars", "März", "March", "marzo"},
    {"abril", "abril", "avril", "April", "April", "aprile"},
    {"mayo", "maio", "mai", "Mai", "May", "maggio"},
    {"junio", "junho", "juin", "Juni", "June", "giugno"},
    {"julio", "julho", "juillet", "Juli", "July", "luglio"},
    {"agosto", "agosto", "août", "August", "August", "agosto"},
    {"septiembre", "setembro", "septembre", "September", "September", "settembre"},
    {"octubre", "outubro", "octobre", "Oktober", "October", "ottobre"},
    {"noviembre", "novembro", "novembre", "November", "November", "novembre"},
    {"diciembre", "dezembro", "décembre", "Dezember", "December", "dicembre"},
}};

const std::array<LanguageRow, 8> menuOperations = {{
    {"Operaciones", "OperaÇões", "Opérations", "Geschäftstätigkeit", "Operations", "Operazioni"},
    {"Nuevo", "Novo", "Nouveau", "Neu", "New", "Nuovo"},
    {"Grabar", "Registro", "Record", "Rekord", "Record", "Record"},
    {"Bitmap", "Bitmap", "Bitmap", "Bitmap", "Bitmap", "Bitmap"},
    {"", "", "", "", "", ""},  // not assigned
    {"Borrar configuración", "Eliminar as definiÇões", "Supprimer les paramètres", "Einstellungen löschen",
     "Delete settings", "Eliminare le impostazioni"},
    {"Autor", "Autor", "Auteur", "Autor", "Author", "Autore"},
    {"Salir", "Sair", "Sortez", "Aussteigen", "Get out", "Esci"},
}};

const std::array<LanguageRow, 2> menuColours = {{
    {"Colores", "Cores", "Couleurs", "Farben", "Colors", "Colori"},
    {"Mis colores favoritos", "Minhas cores favoritas", "Mes couleurs préférées", "Meine Lieblingsfarben",
     "My favorite colors", "I miei colori preferiti"},
}};

const std::array<LanguageRow, 2> msgAuthor = {{
    {"Programa realizado por :", "Programa executado por :", "Programme exécuté par :",
     "Programm durchgeführt :", "Program performed by :", "Programma eseguito da :"},
    {"Visitame en :", "Visite-me em :", "Visitez-moi au :", "Besuchen Sie mich in :", "Visit me in :",
     "Farmi visita in :"},
}};

const std::array<LanguageRow, 2> msgResetConfirm = {{
    {"Realmente desea RESETEAR ?", "REINICIAR realmente quer ?", "ANNULER vraiment envie ?",
     "RESET wirklich ?", "RESET really want ?", "RESET vuole veramente ?"},
    {"Se perderan todos tus colores favoritos", "Todas as suas cores favoritas serão perdidos",
     "Tous vos couleurs préférées seront perdus", "Alle Ihre Lieblingsfarben verloren",
     "All your favorite colors will be lost", "Tutti i tuoi colori preferiti saranno persi"},
}};

}  // namespace kalvor::text
