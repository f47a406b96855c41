#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The texts of one language, numbered 1 to 25 (index 0 unused).
// Entries 1 to 8 are captions, 9 to 25 messages.
inline constexpr int kMessageCount = 25;
using MessageTexts = std::array<std::string, kMessageCount + 1>;

// Message numbers, named after their use.
enum MessageNumber : int {
    kMsgDescription = 1,
    kMsgLayoutsFolder = 2,
    kMsgScreensFolder = 3,
    kMsgDownloadCaption = 4,
    kMsgInstallCaption = 5,
    kMsgDeleteCaption = 6,
    kMsgOverwriteCaption = 7,
    kMsgUseDefaultCaption = 8,
    kMsgLayoutsFolderInvalid = 9,
    kMsgScreensFolderInvalid = 10,
    kMsgConfirmDelete = 11,
    kMsgCannotDownload = 12,
    kMsgFileMissing = 13,
    kMsgFinished = 14,
    kMsgNoDefaultScreen = 15,
    kMsgDeleteUnzipped = 16,
    kMsgOfferUnzip = 17,
    // Undo of the last install or delete; %1, %2, %3 stand for numbers or a path.
    kMsgConfirmUndo = 18,
    kMsgUndoResult = 19,
    kMsgUndoLeftovers = 20,
    kMsgUndoFolderMissing = 21,
    kMsgUndoStoreUnreadable = 22,
    kMsgUndoStoreUnsettled = 23,
    // The question of an undo that only puts back, or only removes.
    kMsgConfirmUndoPutBack = 24,
    kMsgConfirmUndoRemove = 25,
};

// The French texts when `language` is not 0, the English ones otherwise.
MessageTexts MessagesIn(int32_t language);

// A message with its "|" line-break markers turned into CR LF.
std::string WithLineBreaks(const std::string& message);

// A message with "%1", "%2"... replaced by the values in order.
std::string WithValues(const std::string& message, const std::vector<std::string>& values);
