Attribute VB_Name = "modRiskMedium"
DefInt I-N
Option Base 1
Private Declare Function lstrcpy Lib "kernel32" (ByVal a As Any, ByVal b As Any) As Long
Dim a(1 To 9, 0 To 2) As Long
Dim b(0 To 9) As Long
Private c(-1 To 1) As Long
Public d As New Collection
Sub Late()
    On Error Resume Next
    Dim x As Object
    Set x = CreateObject (  "Excel.Application")
    Set x = CreateObject("excel.application")
    Set x = GetObject(, "Word.Application")
    Set x = CreateObject(progId)
    For i = 1 To 9
    Next
End Sub
