#include "common/core/PupilCopy.h"

QString pupilFolder()
{
    return {};
}
