Attribute VB_Name = "modShared"
Option Explicit

' Shared by the client and the server through "..\Shared".
Public Const APP_TITLE As String = "Inventory"
Public Const MAX_QUANTITY As Long = 9999

Public Function Clamp(ByVal Value As Long, ByVal Low As Long, ByVal High As Long) As Long
    If Value < Low Then
        Clamp = Low
    ElseIf Value > High Then
        Clamp = High
    Else
        Clamp = Value
    End If
End Function

Public Sub ShowError(ByVal Action As String, ByVal Reason As String)
    MsgBox Action & " failed:" & vbCrLf & Reason, vbCritical, APP_TITLE
End Sub
