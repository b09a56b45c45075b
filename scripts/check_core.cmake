# Fails when a file of quillon_core includes a widget header, a Qt GUI header,
# a designer form or the main window: the core library must stay usable
# without widgets, pictures or a display (it links neither QtWidgets nor
# QtGui). Called by the build with SOURCE_DIR and FILES (the core's files).
set(widgets "Widget|Dialog|MainWindow|MessageBox|FileDialog|Application|Label|PushButton|Menu|Action|ComboBox|ListView|ScrollBar|ScrollArea|GraphicsEffect|DesktopWidget|VBoxLayout|HBoxLayout|CheckBox|RadioButton|LineEdit|TextEdit|Frame|StackedWidget|ProgressBar|AbstractButton|Style|TableWidget|Shortcut")
set(gui "Pixmap|PixmapCache|Image|ImageReader|ImageWriter|Icon|Color|Font|FontMetrics|FontDatabase|Painter|PainterPath|Pen|Brush|Palette|Gradient|LinearGradient|GuiApplication|Screen|Window|Movie|Clipboard|Cursor|DesktopServices|Bitmap|Picture|Polygon|Region|Transform|Matrix|Validator|IntValidator|DoubleValidator|RegularExpressionValidator|TextDocument|TextCursor|StandardItemModel|KeySequence|Drag|KeyEvent|MouseEvent|WheelEvent|DragEnterEvent|DropEvent|PaintEvent|ResizeEvent|ShowEvent|CloseEvent|ContextMenuEvent|HoverEvent|FocusEvent|Vector2D|Vector3D|OpenGL[A-Za-z]*")
set(forbidden "#include[ \t]*[<\"](QtWidgets/|QtGui/|ui_|ui/mainwindow\\.h|Q(${widgets}|${gui})[>\"])")
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
    message(FATAL_ERROR "quillon_core must not use widgets or Qt GUI:\n  ${text}")
endif()
