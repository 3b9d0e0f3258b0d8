# Compiler settings shared by every Hopdeck target.
# Narrow literals become Shift-JIS, the ANSI code page the program runs in.
function(hd_compile_options target)
  if(MSVC)
    # C4834: a [[nodiscard]] result thrown away.
    target_compile_options(${target} PRIVATE /W4 /we4834 /source-charset:utf-8 /execution-charset:.932)
  else()
    # A failure's result thrown away without a (void) that says so stops the build.
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Werror=unused-result
      -finput-charset=UTF-8 -fexec-charset=CP932)
    if(HD_SANITIZE)
      target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
      target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
  endif()
  if(WIN32)
    # ANSI build for Windows 7 and later; no UNICODE define.
    target_compile_definitions(${target} PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800
      WIN32_LEAN_AND_MEAN NOMINMAX)
  endif()
endfunction()

# Everything linked in, so no MinGW runtime DLL has to travel with the program.
function(hd_static_gui target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -mwindows)
  endif()
endfunction()

function(hd_static_console target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
