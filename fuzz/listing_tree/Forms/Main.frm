VERSION 5.00
Begin VB.Form Main 
   Caption = "x"
End
Attribute VB_Name = "Main"
Private Sub Form_Load()
End Sub
