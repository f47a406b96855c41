#include "app/Messages.h"

namespace {

using Table = std::array<const char*, kMessageCount + 1>;

const Table kEnglish = {
    "",
    "This little patch allows you to install loading.png files into your Orvane layouts in "
    "order to have a \"loading screen\" when you start a game in Orvane-FE.",
    "Folder of your layouts",
    "Folder of your loading screens",
    "&Download screens",
    "&Install loading screens",
    "D&elete all the loading screens in your layouts",
    "&Overwrite",
    "&Use default screen",
    "The folder of layouts seems to be unvalid.",
    "The folder of the loading screens seems to be unvalid.",
    "Do you confirm you want to delete all loading screens ?",
    "Impossible to download",
    "The file does not exist",
    "Finished",
    "Impossible to put default loading.png in layouts",
    "The files previously unzipped in the patch are now of no use.|Do you want to delete them ?",
    "Do you want to unzip the loading screens ?",
    "Put back %1 loading screens and remove %2 copies?",
    "Undo finished: %1 loading screens put back, %2 copies removed, %3 left as they were (see "
    "the log).",
    "The files that could not be put back are kept in:|%1",
    "The folder of layouts of the last operation is no longer there; nothing was undone:|%1",
    "The undo store cannot be read; nothing was undone:|%1",
    "The last operation's undo store cannot take its place (a file of it may be open in another "
    "program); nothing was undone:|%1",
    "Put back %1 loading screens?",
    "Remove %1 copies?",
};

const Table kFrench = {
    "",
    "Ce petit patch vous permet d'installer des fichiers loading.png dans vos layouts Orvane "
    "afin d'avoir un \"loading screen\" quand vous lancez un jeu dans Orvane-FE.",
    "Dossier de vos layouts",
    "Dossier de vos loading screens",
    "&Download les screens",
    "&Installer les loading screens",
    "&Effacer tous les loading screens de vos layouts",
    "E&craser",
    "&Utiliser screen par d\u00e9faut",
    "Le dossier des layouts semble invalide.",
    "Le dossier des loading screens semble invalide.",
    "Confirmez-vous la suppression des loading screens ?",
    "Impossible de downloader",
    "Le fichier n'existe pas",
    "Termin\u00e9",
    "Impossible de placer les loading.png par d\u00e9faut",
    "Les fichiers d\u00e9zipp\u00e9s dans le patch ne servent plus.|Souhaitez-vous les effacer ?",
    "Souhaitez-vous d\u00e9zipper les loading screens ?",
    "Remettre %1 loading screens et supprimer %2 copies ?",
    "Annulation termin\u00e9e : %1 loading screens remis, %2 copies supprim\u00e9es, %3 "
    "laiss\u00e9s tels quels (voir le log).",
    "Les fichiers qui n'ont pas pu \u00eatre remis sont conserv\u00e9s dans :|%1",
    "Le dossier des layouts de la derni\u00e8re op\u00e9ration n'est plus l\u00e0 ; rien n'a "
    "\u00e9t\u00e9 annul\u00e9 :|%1",
    "La sauvegarde pour annuler est illisible ; rien n'a \u00e9t\u00e9 annul\u00e9 :|%1",
    "La sauvegarde pour annuler la derni\u00e8re op\u00e9ration ne peut pas prendre sa place (un "
    "de ses fichiers est peut-\u00eatre ouvert dans un autre programme) ; rien n'a "
    "\u00e9t\u00e9 annul\u00e9 :|%1",
    "Remettre %1 loading screens ?",
    "Supprimer %1 copies ?",
};

} // namespace

MessageTexts MessagesIn(int32_t language) {
    const Table& table = language != 0 ? kFrench : kEnglish;
    MessageTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = table[i];
    return texts;
}

std::string WithLineBreaks(const std::string& message) {
    std::string result;
    for (char c : message)
        result += c == '|' ? std::string("\r\n") : std::string(1, c);
    return result;
}

std::string WithValues(const std::string& message, const std::vector<std::string>& values) {
    std::string result;
    for (size_t i = 0; i < message.size(); ++i) {
        const size_t index = i + 1 < message.size() && message[i] == '%'
                                 ? static_cast<size_t>(message[i + 1] - '1')
                                 : values.size();
        if (index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += message[i];
        }
    }
    return result;
}
