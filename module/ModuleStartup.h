#pragma once
// The start-up code of one code module. Include this header in exactly one
// source of every code module (library, executable, test program) that
// uses this library: it defines the module's own thisModule().

#include "module/Module.h"

torv::Module& thisModule()
{
    static torv::Module module;
    return module;
}
