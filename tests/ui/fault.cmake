# Fault injection from the main window (file size limits are POSIX only).
if(NOT WIN32)
  vexa_gui_test(tst_fault tst_fault.cpp support/GuiTestSupport.h support/ScriptedPrompts.h)
endif()
