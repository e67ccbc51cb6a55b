Attribute VB_Name = "modRiskLow"
Option Explicit
Private s As String * 20
Private v As Variant
Sub Jump()
    On Error GoTo Failed
    GoTo Done
Done:
    Exit Sub
Failed:
    On Error GoTo 0
End Sub
