VERSION 5.00
Begin VB.Form Form1 
   Caption = "Main"
End
Attribute VB_Name = "Form1"
Attribute VB_Exposed = False
Option Explicit
Private Sub Form_Load()
End Sub
