#include "platform/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

FontConfigWarmUp::FontConfigWarmUp() : m_thread([] { FcInit(); }) {}
