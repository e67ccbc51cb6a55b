VERSION 5.00
Begin VB.Form frmBill
   Caption         =   "Bill"
   Begin VB.CommandButton cmdPrint
      Caption         =   "Print"
   End
End
Attribute VB_Name = "frmBill"

Private Sub cmdPrint_Click()
    PrintForm
End Sub
