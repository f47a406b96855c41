#include "services/Machine.h"

MachineFacts& Machine() {
    static MachineFacts facts = RealMachine();
    return facts;
}
