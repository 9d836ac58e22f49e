# GUI tests of the skill-level editors.
vexa_gui_test(tst_editor_sliders tst_editor_sliders.cpp support/EditorTestSupport.h
  support/GuiTestSupport.h support/ScriptedPrompts.h)
vexa_gui_test(tst_editor_chat tst_editor_chat.cpp support/GuiTestSupport.h
  support/ScriptedPrompts.h)
# Every editor row against the documented profile layout.
vexa_gui_test(tst_editor_bindings tst_editor_bindings.cpp support/EditorTestSupport.h
  support/GuiTestSupport.h support/ScriptedPrompts.h)
