#include "app/ProgramState.h"

void ApplyLanguage(ProgramState& program, int32_t language) {
    program.Language = language;
    program.Messages = TextsIn(language);
}
