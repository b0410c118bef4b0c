// Torvi: the texts of Torvi's own pages, exactly as the user reads them.
#pragma once

#include "app/app_texts.h"

#include <array>
#include <string_view>

namespace torvi {

inline constexpr std::string_view StartPageTitle = "Pagina iniziale di Torvi";
inline constexpr std::string_view ToolsPageTitle = "Strumenti di Torvi";
inline constexpr std::string_view CounterPageTitle = "Contatore di Torvi";
inline constexpr std::string_view InfoPageTitle = "Che cosa fa Torvi";
inline constexpr std::string_view UpdatePageTitle = "Aggiornamenti di Torvi";

inline constexpr std::string_view EmblemAlt = "Emblema di Torvi";
inline constexpr std::string_view SearchLabel = "Cerca nel web";
inline constexpr std::string_view SearchButton = "Cerca";
inline constexpr std::string_view FavoritesHeading = "Preferiti";
inline constexpr std::string_view NoFavorites =
    "Nessun preferito per ora: aggiungili dal menu, con \xC2\xAB"
    "Visualizza Preferiti\xC2\xBB.";
inline constexpr std::string_view FavoritesUnreadable = "Impossibile leggere i preferiti:";
inline constexpr std::string_view HistoryHeading = "Visitati di recente";
inline constexpr std::string_view NoHistory = "Nessuna pagina visitata per ora.";

inline constexpr std::string_view ChecksHeading = "Che cosa ha controllato Torvi";
inline constexpr std::string_view NoChecks =
    "Ancora nessuna pagina controllata in questa sessione.";
inline constexpr std::string_view ChecksDocuments = "Documenti controllati in questa sessione:";
inline constexpr std::string_view ChecksWithThreats = "con parole sospette:";
inline constexpr std::string_view ChecksLatestBefore = "Qui sotto gli ultimi";
inline constexpr std::string_view ChecksLatestAfter = ", dal pi\xC3\xB9 recente.";
inline constexpr std::string_view ChecksColumnPage = "Pagina";
inline constexpr std::string_view ChecksColumnVerdict = "Esito";
inline constexpr std::string_view ChecksColumnWords = "Parole trovate";
inline constexpr std::string_view ChecksSiteInformation =
    "Le stesse parole, pagina per pagina, sono nella vista \xC2\xAB"
    "Visualizza Informazioni sul sito\xC2\xBB del menu.";
inline constexpr std::string_view ToolsHeading = "Gli strumenti del menu";
inline constexpr std::string_view CounterLabel = "documenti completati";

// What each command of the command list does, in a line.
struct ToolExplanation
{
    MenuCommand command;
    std::string_view line;
};

inline constexpr std::array<ToolExplanation, 10> ToolExplanations = {{
    {MenuCommand::EndProgram, "chiude subito Torvi e tutte le sue finestre."},
    {MenuCommand::Update, "apre in una nuova finestra la pagina della versione installata."},
    {MenuCommand::DefaultBrowser, "fa di Torvi il browser che il sistema usa per i link."},
    {MenuCommand::ShowFavorites, "apre i preferiti, da aggiungere, cambiare, togliere e aprire."},
    {MenuCommand::ShowPageSource,
     "mostra il codice della pagina, quello che Torvi ha controllato."},
    {MenuCommand::ShowHistory, "apre la cronologia, da cui si cancellano anche i file temporanei."},
    {MenuCommand::PageView, "torna alla pagina."},
    {MenuCommand::SiteInformationView, "elenca le parole sospette trovate, pagina per pagina."},
    {MenuCommand::ToolsView, "mostra questa vista, aggiornata."},
    {MenuCommand::ShowAbout, "mostra la versione di Torvi e le sue note legali."},
}};

// The information page: what Torvi does and how its check works, in plain words.
inline constexpr std::string_view InfoPageBody =
    "<p>Torvi \xC3\xA8 un browser: mostra le pagine web come ogni altro, con la barra dei "
    "pulsanti, la casella dell'indirizzo e un menu in alto a destra. Tiene una cronologia "
    "delle pagine visitate e un elenco di preferiti, tutti e due in semplici file di testo "
    "sul tuo computer.</p>"
    "<h2>Il controllo delle pagine</h2>"
    "<p>Ogni volta che una pagina finisce di caricarsi, Torvi ne legge il testo e cerca 21 "
    "parole che spesso accompagnano siti poco raccomandabili: pirateria, programmi che "
    "attaccano altri computer, contenuti per adulti. Maiuscole e minuscole non contano.</p>"
    "<ul><li>Se trova almeno una di quelle parole, la barra di stato in basso dice "
    "<b>Dati Sensibili</b>, e ogni parola trovata finisce nella vista \xC2\xAB"
    "Visualizza Informazioni sul sito\xC2\xBB del menu.</li>"
    "<li>Se non ne trova nessuna, la barra di stato dice <b>Certificato</b>.</li></ul>"
    "<p>\xC3\x88 un controllo di parole, non un antivirus: non guarda i file scaricati e non "
    "sa se un sito \xC3\xA8 davvero chi dice di essere. \xC2\xAB"
    "Certificato\xC2\xBB vuol dire soltanto che nessuna delle parole \xC3\xA8 nella "
    "pagina. Il controllo avviene sul tuo computer: Torvi non manda le pagine a nessuno.</p>"
    "<h2>Le finestre nuove</h2>"
    "<p>Quando una pagina vuole aprire un'altra finestra, Torvi prima lo chiede a te.</p>";

// The update page: the installed version comes in between.
inline constexpr std::string_view UpdateInstalled = "Versione installata:";
inline constexpr std::string_view UpdatePageBody =
    "<p>Torvi si aggiorna come gli altri programmi del sistema: \xC3\xA8 il pacchetto "
    "Debian <code>torvi</code>, e lo aggiorna il gestore dei pacchetti.</p>"
    "<pre>sudo apt update\nsudo apt upgrade</pre>"
    "<p>Se l'hai installato da un file, installa allo stesso modo il file della versione "
    "nuova:</p>"
    "<pre>sudo apt install ./torvi_&lt;versione&gt;_amd64.deb</pre>"
    "<p>Questa pagina non si collega a nessun sito: la versione \xC3\xA8 quella scritta nel "
    "programma.</p>";

} // namespace torvi
