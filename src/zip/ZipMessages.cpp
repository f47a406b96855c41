#include "zip/ZipMessages.h"

std::string NotAZipText(const std::string& zipPath) {
    return "Le fichier " + zipPath + " n'est pas un fichier Zip";
}

std::string MethodText(const std::string& localName) {
    return "La méthode de compression pour " + localName + " n'est pas supportée";
}

std::string ChecksumText(const std::string& targetPath) {
    return "Erreur de checksum dans " + targetPath;
}

std::string MissingFileText(const std::string& zipPath) {
    return "Le fichier " + zipPath + " n'existe pas";
}

std::string ExistsText(const std::string& targetPath) {
    return "Le fichier " + targetPath + " existe déjà";
}

std::string CannotDeleteText(const std::string& targetPath) {
    return "Ne peut pas supprimer le fichier " + targetPath;
}

std::string CannotCreateFolderText(const std::string& folderPath) {
    return "Impossible de créer le répertoire " + folderPath;
}

std::string OutsideFolderText(const std::string& name) {
    return "Le fichier " + name + " sort du dossier de destination";
}

std::string OverlapText(const std::string& name) {
    return "Le fichier " + name + " chevauche un autre fichier du Zip";
}

std::string EncryptedText(const std::string& name) {
    return "Le fichier " + name + " est chiffré";
}

std::string DamagedText(const std::string& name) {
    return "Le fichier " + name + " est endommagé dans le Zip";
}

std::string SplitText(const std::string& zipPath) {
    return "Le fichier " + zipPath + " est un Zip en plusieurs parties";
}

std::string ExtractingText(const std::string& name) {
    return "Extraction ...\\" + name;
}
