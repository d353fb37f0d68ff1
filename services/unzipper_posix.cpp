#include "services/unzipper.h"

bool UnzipPlatformQuestion(const char*)
{
    return false;
}
