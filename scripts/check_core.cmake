# Fails when a file of quillon_core includes a widget header, a designer form
# or the main window: the core library must stay usable without widgets.
# Called by the build with SOURCE_DIR and FILES (the core's files).
set(forbidden "#include[ \t]*[<\"](QtWidgets/|ui_|ui/mainwindow\\.h|Q(Widget|Dialog|MainWindow|MessageBox|FileDialog|Application|Label|PushButton|Menu|Action|ComboBox|ListView|ScrollBar|ScrollArea|GraphicsEffect|DesktopWidget|VBoxLayout|HBoxLayout|CheckBox|RadioButton|LineEdit|TextEdit|Frame|StackedWidget|ProgressBar|AbstractButton|Style)[>\"])")
set(bad "")
foreach(file ${FILES})
    file(STRINGS "${file}" lines REGEX "${forbidden}")
    if(lines)
        file(RELATIVE_PATH rel "${SOURCE_DIR}" "${file}")
        list(APPEND bad "${rel}: ${lines}")
    endif()
endforeach()
if(bad)
    string(REPLACE ";" "\n  " text "${bad}")
    message(FATAL_ERROR "quillon_core must not use widgets:\n  ${text}")
endif()
