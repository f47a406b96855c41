#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's catalogue of texts: every caption and message that a window
// or an operation shows comes from here. A text that changes with the
// language has a TextId (or a PluralId) and one entry in each language's
// table (TextsEnglish.cpp, TextsFrench.cpp); a text that is the same in
// every language has a FixedTextId. Placeholders are "%1", "%2"...; "&"
// marks a caption's accelerator; "|" marks a line break in a message.

// The texts that change with the language. The main window's numbers 1 to
// 17 are the ones its language table has always used; 0 is unused.
enum TextId : int {
    kMsgDescription = 1,
    kMsgLayoutsFolder,
    kMsgScreensFolder,
    kMsgDownloadCaption,
    kMsgInstallCaption,
    kMsgDeleteCaption,
    kMsgOverwriteCaption,
    kMsgUseDefaultCaption,
    kMsgLayoutsFolderInvalid,
    kMsgScreensFolderInvalid,
    kMsgConfirmDelete,
    kMsgCannotDownload,
    kMsgFileMissing,
    kMsgFinished,
    kMsgNoDefaultScreen,
    kMsgDeleteUnzipped,
    kMsgOfferUnzip,
    // Undo of the last install or delete; %1, %2, %3 stand for numbers or a path.
    kMsgConfirmUndo,
    kMsgUndoResult,
    kMsgUndoLeftovers,
    kMsgUndoFolderMissing,
    kMsgUndoStoreUnreadable,
    kMsgUndoStoreUnsettled,
    // The question of an undo that only puts back, or only removes.
    kMsgConfirmUndoPutBack,
    kMsgConfirmUndoRemove,
    // The view of screens ("Check screens").
    kCovTitle,
    kCovLayoutColumn,
    kCovScreenColumn,
    kCovLoadingPngColumn,
    kCovActionColumn,
    kCovCopy,
    kCovKeep,
    kCovCopyDefault,
    kCovNothing,
    kCovNothingNotWanted,
    kCovYes,
    kCovNo,
    kCovNone,
    kCovOnlyWithout,
    kCovSaveList,
    kCovScreenPane,
    kCovLoadingPngPane,
    kCovCannotShow,
    kCovDecoding, // in a picture's pane until its picture is ready
    kCovCsvFilter,
    kCovSaveFailed,
    // "%1: %2, %3, %4", each part a counted text below.
    kCovCounts,
    // Proposals, links and picture checks in the view of screens.
    kCovFoundByColumn,
    kCovPictureColumn,
    kCovFoundOwnName,
    kCovFoundLinked,
    kCovFoundDefault,
    kCovNoScreenWanted,
    kCovProposedReserved, // the proposal's rule; %1 is the proposed screen
    kCovProposedShortName,
    kCovProposedKey,
    kCovProposedClose, // %1 the screen, %2 the score out of 100
    kCovNothingUntilAccepted,
    kCovPicturePng, // %1 x %2 pixels
    kCovPictureJpeg,
    kCovPictureGif,
    kCovPictureBmp,
    kCovPictureEmpty,
    kCovPictureDamaged,
    kCovPictureTooLarge,
    kCovPictureUnreadable,
    kCovPictureMissing,
    kCovPictureChecking,
    kCovOnlyNeedAttention,
    kCovAccept,
    kCovAcceptRule,
    kCovPickScreen,
    kCovMarkNoScreen,
    kCovForgetLink,
    kCovRefresh,
    kCovOutOfDate,
    kCovLayoutsFolderMissing, // %1 the folder
    kCovScreensFolderMissing,
    kCovPickFilter,
    kCovPickOutsideScreens, // %1 the screens folder
    kCovLinksSaveFailed,
    kCovLinkMissing,     // %1 the linked screen's file name
    kCovCountsAttention, // %1 the counts line, %2 how many need attention
    kTextIdEnd
};

// Texts around a count, with a singular and a plural form; %1 is the count.
enum PluralId : int {
    kCountLayouts,
    kCountGetScreen,
    kCountKeepTheirs,
    kCountHaveNone,
    kCountNeedAttention,
    kCountProposals,
    kCountPictureProblems,
    kCountLoadingScreens, // in the undo's questions and result
    kCountCopies,
    kCountLeftAlone,
    kCountAccepted,
    kCountScreensPutBack, // in the undo's result
    kCountCopiesRemoved,
    kPluralIdEnd
};

// Texts that are the same in every language.
enum FixedTextId : int {
    kFixedWindowTitle,
    kFixedMenu,
    kFixedLanguageMenu,
    kFixedEnglish,
    kFixedFrench,
    kFixedCheckScreens,
    kFixedUndoInstall,
    kFixedUndoDelete,
    kFixedQuit,
    kFixedInfoMenu,
    kFixedAuthor,
    kFixedBrowse,
    kFixedUnzipButton,
    kFixedUnzipTitle,
    kFixedUnzipErrorHeading,
    kFixedFolderDialogTitle,
    kFixedTextIdEnd
};

struct LanguageTable;

// The texts of one language.
class Texts {
  public:
    Texts(); // English
    // French when `language` is not 0, English when it is.
    explicit Texts(int32_t language);

    std::string operator[](TextId id) const;
    // The form of `id` that `count` takes, placeholder included.
    std::string Form(PluralId id, long long count) const;
    // That form with the count in the user's regional number format.
    std::string Counted(PluralId id, long long count) const;

  private:
    const LanguageTable* table_;
};

Texts TextsIn(int32_t language);

std::string FixedText(FixedTextId id);

// A message with its "|" line-break markers turned into CR LF.
std::string WithLineBreaks(const std::string& message);

// A message with "%1", "%2"... replaced by the values in order.
std::string WithValues(const std::string& message, const std::vector<std::string>& values);
