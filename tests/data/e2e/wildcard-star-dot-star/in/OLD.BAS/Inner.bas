VERSION 5.00
Begin VB.Form Form1 
   Caption = "Main"
End
Attribute VB_Name = "Form1"
Option Explicit
Private Sub Form_Load()
    Dim n As Long
End Sub
