#include "services/HttpTransfer.h"

int32_t DownloadCodeOf(const TransferResult& result) {
    switch (result.outcome) {
    case TransferOutcome::Succeeded:
        return kDownloadSucceeded;
    case TransferOutcome::NotStarted:
        return kDownloadCannotStart;
    case TransferOutcome::NotWritten:
        return kDownloadCannotWrite;
    case TransferOutcome::ClientFailed:
        return -result.code;
    case TransferOutcome::Refused:
        return result.code;
    }
    return kDownloadCannotStart;
}
