; A folder of the user's, removed without following links. The uninstaller
; runs with administrator rights, and RMDir /r walks through a junction or a
; symbolic link into whatever it points to: a link planted in the user's own
; Packs folder would make uninstalling delete anything on the machine. Here a
; link to a folder is removed itself (where the system lets it), a link to a
; file is left, neither is ever entered; plain files and folders go.
;
;   !insertmacro RemoveTreeKeepingLinksFunction "un."   defines un.RemoveTreeKeepingLinks
;   Push "<folder>"
;   Call un.RemoveTreeKeepingLinks

!define /ifndef FILE_ATTRIBUTE_DIRECTORY 0x10
!define /ifndef FILE_ATTRIBUTE_REPARSE_POINT 0x400

!macro RemoveTreeKeepingLinksFunction PREFIX
Function ${PREFIX}RemoveTreeKeepingLinks
  Exch $R0  ; the path
  Push $R1
  Push $R2
  Push $R3
  System::Call 'kernel32::GetFileAttributesW(w R0) i .R3'
  ${If} $R3 = -1
    Goto done
  ${EndIf}
  IntOp $R1 $R3 & ${FILE_ATTRIBUTE_REPARSE_POINT}
  IntOp $R2 $R3 & ${FILE_ATTRIBUTE_DIRECTORY}
  ${If} $R1 <> 0
    ; A link to a folder: RemoveDirectory takes the link, never its contents.
    ; A link to a file stays: Wine's DeleteFile removes what it points to.
    ${If} $R2 <> 0
      System::Call 'kernel32::RemoveDirectoryW(w R0) i'
    ${EndIf}
    Goto done
  ${EndIf}
  ${If} $R2 = 0
    System::Call 'kernel32::DeleteFileW(w R0) i'
    Goto done
  ${EndIf}
  FindFirst $R1 $R2 "$R0\*"
  ${DoWhile} $R2 != ""
    ${If} $R2 != "."
    ${AndIf} $R2 != ".."
      Push "$R0\$R2"
      Call ${PREFIX}RemoveTreeKeepingLinks
    ${EndIf}
    FindNext $R1 $R2
  ${Loop}
  FindClose $R1
  System::Call 'kernel32::RemoveDirectoryW(w R0) i'
done:
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
