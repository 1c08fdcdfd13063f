# The core reaches nothing above it: no file under link/ includes the shell,
# a page, a widget or a generated form, or names the main window or a widget
# class. (Its library links Qt Core alone, so a widget header would not even
# compile there; this names the file that breaks the rule.)
file(GLOB_RECURSE sources "${SOURCE_DIR}/link/*.h" "${SOURCE_DIR}/link/*.cpp")
set(above "#include \"(app|pages|widgets)/|#include \"ui_|MainWindow|[^A-Za-z]Q(Widget|PushButton|Label|ProgressBar|MessageBox|ComboBox|SpinBox|Dialog)[^A-Za-z]")
set(broken "")
foreach(source ${sources})
    file(STRINGS "${source}" lines REGEX "${above}")
    if(lines)
        list(APPEND broken "${source}: ${lines}")
    endif()
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no sources found under ${SOURCE_DIR}/link")
endif()
if(broken)
    string(REPLACE ";" "\n" broken "${broken}")
    message(FATAL_ERROR "link/ reaches above itself:\n${broken}")
endif()
message(STATUS "link/: ${count} files, none reaches above")

# The pages talk to the shell through PageShell: nothing outside app/
# includes the main window or defines one of its members.
file(GLOB_RECURSE outside "${SOURCE_DIR}/pages/*" "${SOURCE_DIR}/widgets/*" "${SOURCE_DIR}/link/*")
foreach(source ${outside})
    file(STRINGS "${source}" lines REGEX "#include \"app/mainwindow.h\"|MainWindow::")
    if(lines)
        message(FATAL_ERROR "${source} reaches the main window: ${lines}")
    endif()
endforeach()

# The pages and the widgets sit below the shell: nothing under them includes
# a file of app/ (what they share with it lives in link/).
file(GLOB_RECURSE belowShell "${SOURCE_DIR}/pages/*" "${SOURCE_DIR}/widgets/*")
set(broken "")
foreach(source ${belowShell})
    file(STRINGS "${source}" lines REGEX "#include [\"<]app/")
    if(lines)
        list(APPEND broken "${source}: ${lines}")
    endif()
endforeach()
if(broken)
    string(REPLACE ";" "\n" broken "${broken}")
    message(FATAL_ERROR "pages/ and widgets/ reach the shell:\n${broken}")
endif()
