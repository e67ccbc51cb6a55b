Attribute VB_Name = "modApi"
Option Explicit

Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Declare Sub Sleep Lib "KERNEL32.DLL" (ByVal dwMilliseconds As Long)
Declare Function MessageBox Lib "user32" Alias "MessageBoxA" (ByVal hWnd As Long, ByVal lpText As String, ByVal lpCaption As String, ByVal wType As Long) As Long
Private Declare Function GetUserName LIB "advapi32.dll" Alias "GetUserNameA" (ByVal lpBuffer As String, nSize As Long) As Long
Private Declare Function ShellExecute Lib _
    "shell32.dll" Alias "ShellExecuteA" (ByVal hwnd As Long) As Long
Friend Declare Function lstrlen& Lib"Kernel32" Alias "lstrlenA" (ByVal s As String)
Private Declare Sub Share Lib "netapi32" (ByVal Lib As Long)

Public Sub Pause(ByVal ms As Long)
    Sleep ms
End Sub
