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
