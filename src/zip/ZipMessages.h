#pragma once

#include <cstdint>
#include <string>

// The engine's fixed French texts: ZipError numbers with their
// descriptions, and the Status steps.

inline constexpr int32_t kZipErrorZlibMissing = 1;
inline constexpr int32_t kZipErrorNotAZip = 2;
inline constexpr int32_t kZipErrorNoZipOpen = 3;
inline constexpr int32_t kZipErrorMethod = 4;
inline constexpr int32_t kZipErrorChecksum = 5;
inline constexpr int32_t kZipErrorMissingFile = 10;
inline constexpr int32_t kZipErrorExists = 11;
inline constexpr int32_t kZipErrorCannotDelete = 12;
inline constexpr int32_t kZipErrorCannotCreateFolder = 13;
inline constexpr int32_t kZipErrorOutsideFolder = 14;
inline constexpr int32_t kZipErrorOverlap = 15;
inline constexpr int32_t kZipErrorEncrypted = 16;
inline constexpr int32_t kZipErrorDamaged = 17;
inline constexpr int32_t kZipErrorSplit = 18;

inline const std::string kZlibMissingText = "La librairie Zlib n'est pas installée";
inline const std::string kNoZipOpenText = "Il n'y a pas de fichier Zip ouvert";

std::string NotAZipText(const std::string& zipPath);
std::string MethodText(const std::string& localName);
std::string ChecksumText(const std::string& targetPath);
std::string MissingFileText(const std::string& zipPath);
std::string ExistsText(const std::string& targetPath);
std::string CannotDeleteText(const std::string& targetPath);
std::string CannotCreateFolderText(const std::string& folderPath);
std::string OutsideFolderText(const std::string& name);
std::string OverlapText(const std::string& name);
std::string EncryptedText(const std::string& name);
std::string DamagedText(const std::string& name);
std::string SplitText(const std::string& zipPath);

inline const std::string kStatusOpening = "Ouverture du Zip";
inline const std::string kStatusClosed = "Zip fermé";
inline const std::string kStatusOpened = "Zip ouvert";
inline const std::string kStatusExtractionStart = "Début d'extraction";
inline const std::string kStatusExtractionEnd = "Extraction terminée";

// The step text shown before a file is extracted; the backslash belongs to
// the text on every platform.
std::string ExtractingText(const std::string& name);
