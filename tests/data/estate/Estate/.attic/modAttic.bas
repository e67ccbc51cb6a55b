Attribute VB_Name = "modAttic"
Option Explicit

Public Sub Forgotten()
    Debug.Print "attic"
End Sub
