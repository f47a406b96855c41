#include "services/HttpTransfer.h"

int32_t DownloadCodeOf(const Failure& transferFailure) {
    switch (transferFailure.cause) {
    case FailureCause::Refused:
        return transferFailure.code;
    case FailureCause::Connection:
        return transferFailure.code == 0 ? kDownloadCannotStart : -transferFailure.code;
    default:
        return kDownloadCannotWrite;
    }
}

int32_t TransferFailureCode(TransferFailure failure) {
    return DownloadCodeOf(TransferFailureOf(failure));
}
