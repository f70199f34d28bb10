// The window module's bytes inside the executable. MODULO_FINESTRA is the module's path as a
// string literal, given by the build, which also rebuilds this file when the module changes.

__asm__(
    ".section .rodata\n"
    ".balign 16\n"
    ".globl scenario_modulo_inizio\n"
    "scenario_modulo_inizio:\n"
    ".incbin \"" MODULO_FINESTRA
    "\"\n"
    ".globl scenario_modulo_fine\n"
    "scenario_modulo_fine:\n"
    ".previous\n");
